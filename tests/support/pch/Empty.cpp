// The source of the precompiled-header targets.
