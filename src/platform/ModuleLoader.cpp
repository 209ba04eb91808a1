#include "platform/ModuleLoader.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>

namespace platform
{

bool LoadModule(ModuleHandle& module, const std::string& fileName)
{
    if (module == nullptr)
        module = ::dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    return module != nullptr;
}

bool LoadModuleEx(ModuleHandle& module, const std::string& fileName, TModuleLoadMethods methods)
{
    int flags = RTLD_NOW | RTLD_LOCAL;
    for (TModuleLoadMethod m : methods) {
        // Not resolving references is the nearest dlopen has to a data-only or unresolved load.
        if (m != TModuleLoadMethod::ltAlteredSearchPath)
            flags = RTLD_LAZY | RTLD_LOCAL;
    }
    if (module == nullptr)
        module = ::dlopen(fileName.c_str(), flags);
    return module != nullptr;
}

void UnloadModule(ModuleHandle& module)
{
    if (module != nullptr)
        ::dlclose(module);
    module = nullptr;
}

void* GetModuleSymbol(ModuleHandle module, const std::string& symbolName)
{
    if (module == nullptr)
        return nullptr;
    return ::dlsym(module, symbolName.c_str());
}

void* GetModuleSymbolEx(ModuleHandle module, const std::string& symbolName, bool& allFound)
{
    void* p = GetModuleSymbol(module, symbolName);
    allFound = allFound && p != nullptr;
    return p;
}

bool ReadModuleData(ModuleHandle module, const std::string& symbolName, void* buffer, size_t size)
{
    void* p = GetModuleSymbol(module, symbolName);
    if (p == nullptr)
        return false;
    std::memcpy(buffer, p, size);
    return true;
}

bool WriteModuleData(ModuleHandle module, const std::string& symbolName, const void* buffer, size_t size)
{
    void* p = GetModuleSymbol(module, symbolName);
    if (p == nullptr)
        return false;
    std::memcpy(p, buffer, size);
    return true;
}

TModuleLoader::TModuleLoader(std::string dllName, TModuleLoadMethods methods) : FDLLName(std::move(dllName))
{
    Load(methods);
}

TModuleLoader::~TModuleLoader()
{
    Unload();
}

void TModuleLoader::Load(TModuleLoadMethods methods)
{
    if (FHandle == nullptr)
        LoadModuleEx(FHandle, FDLLName, methods);
    if (FHandle == nullptr)
        Error(1);
}

void TModuleLoader::Unload()
{
    UnloadModule(FHandle);
}

bool TModuleLoader::GetProcedure(const std::string& name, void*& proc)
{
    if (Loaded() && proc == nullptr)
        proc = GetModuleSymbol(FHandle, name);
    bool ok = Loaded() && proc != nullptr;
    if (!ok) {
        proc = nullptr;
        Error(TYPE_E_ELEMENTNOTFOUND);
    }
    return ok;
}

bool TModuleLoader::GetExportedSymbol(const std::string& name, void* buffer, size_t size)
{
    void* p = nullptr;
    if (!GetProcedure(name, p))
        return false;
    std::memcpy(buffer, p, size);
    return true;
}

bool TModuleLoader::SetExportedSymbol(const std::string& name, const void* buffer, size_t size)
{
    void* p = nullptr;
    if (!GetProcedure(name, p))
        return false;
    std::memcpy(p, buffer, size);
    return true;
}

bool TModuleLoader::IsAvaliable(const std::string& dllName, const std::string& procName)
{
    ModuleHandle h = nullptr;
    bool ok = LoadModule(h, dllName);
    if (ok && !procName.empty())
        ok = GetModuleSymbol(h, procName) != nullptr;
    UnloadModule(h);
    return ok;
}

bool TModuleBinding::Bind(const std::string& fileName, const std::vector<std::string>& names)
{
    if (++FCount > 1)
        return true;
    if (!LoadModule(FModule, fileName)) {
        --FCount;
        return false;
    }
    bool all = true;
    FSlots.clear();
    for (const std::string& n : names)
        FSlots.push_back(GetModuleSymbolEx(FModule, n, all));
    if (!all) {
        FCount = 1;
        Unbind();
        return false;
    }
    return true;
}

void TModuleBinding::Unbind()
{
    if (--FCount > 0)
        return;
    FCount = 0;
    UnloadModule(FModule);
    std::fill(FSlots.begin(), FSlots.end(), nullptr);
}

} // namespace platform
