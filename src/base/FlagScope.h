// A flag held set for a scope.
#pragma once

// Keeps a flag set for a scope and gives it back its previous value however the scope ends, an
// exception included (nesting scopes keep the outer setting). The flag must outlive the scope.
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
