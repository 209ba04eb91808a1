// Run-time binding of shared libraries (dlopen). A module handle of nullptr means "not loaded".
// Loading and unloading happen on the UI thread; looked-up entries may be called from any thread.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

namespace platform
{

using ModuleHandle = void*;

enum class TModuleLoadMethod { ltDontResolveDllReferences, ltLoadAsDataFile, ltAlteredSearchPath };
using TModuleLoadMethods = std::initializer_list<TModuleLoadMethod>;

bool LoadModule(ModuleHandle& module, const std::string& fileName);
bool LoadModuleEx(ModuleHandle& module, const std::string& fileName, TModuleLoadMethods methods);
void UnloadModule(ModuleHandle& module);
void* GetModuleSymbol(ModuleHandle module, const std::string& symbolName);
void* GetModuleSymbolEx(ModuleHandle module, const std::string& symbolName, bool& allFound);
bool ReadModuleData(ModuleHandle module, const std::string& symbolName, void* buffer, size_t size);
bool WriteModuleData(ModuleHandle module, const std::string& symbolName, const void* buffer, size_t size);

// Error code of a procedure that is not found.
constexpr unsigned TYPE_E_ELEMENTNOTFOUND = 0x8002802B;

class TModuleLoader
{
  public:
    TModuleLoader(std::string dllName, TModuleLoadMethods methods = {});
    virtual ~TModuleLoader();
    TModuleLoader(const TModuleLoader&) = delete;
    TModuleLoader& operator=(const TModuleLoader&) = delete;

    virtual void Load(TModuleLoadMethods methods);
    virtual void Unload();
    bool GetProcedure(const std::string& name, void*& proc);
    bool GetExportedSymbol(const std::string& name, void* buffer, size_t size);
    bool SetExportedSymbol(const std::string& name, const void* buffer, size_t size);
    static bool IsAvaliable(const std::string& dllName, const std::string& procName);

    bool Loaded() const { return FHandle != nullptr; }
    const std::string& DLLName() const { return FDLLName; }
    ModuleHandle Handle() const { return FHandle; }

  protected:
    virtual void Error(unsigned /*code*/) {}

  private:
    ModuleHandle FHandle = nullptr;
    std::string FDLLName;
};

// An all-or-nothing table of entries of one library: every name is looked up, and one
// missing name unbinds the whole table. Counted: bound until as many Unbind as Bind.
class TModuleBinding
{
  public:
    bool Bind(const std::string& fileName, const std::vector<std::string>& names);
    void Unbind();
    bool IsBound() const { return FModule != nullptr; }
    void* Slot(size_t i) const { return i < FSlots.size() ? FSlots[i] : nullptr; }
    size_t SlotCount() const { return FSlots.size(); }
    int LoadCount() const { return FCount; }

  private:
    ModuleHandle FModule = nullptr;
    int FCount = 0;
    std::vector<void*> FSlots;
};

} // namespace platform
