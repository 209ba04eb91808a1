// The source of the target that builds the precompiled widget headers; it compiles nothing of its own.
