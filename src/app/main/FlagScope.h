// A flag held set for a scope.
#pragma once

namespace app
{

// Keeps a flag set for a scope and gives it back its previous value (nesting handlers keep the outer
// setting).
class FlagScope
{
  public:
    explicit FlagScope(bool& flag) : FFlag(flag), FSaved(flag) { FFlag = true; }
    ~FlagScope() { FFlag = FSaved; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& FFlag;
    bool FSaved;
};

} // namespace app
