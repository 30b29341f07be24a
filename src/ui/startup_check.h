// The checks the Windows program makes before it creates any window: the
// Windows release and, for the 32-bit build, that it is not running under
// WOW64.
#pragma once

enum class StartupVerdict {
    Run,
    QuitSilently,      // a query failed; traced, the user sees nothing
    RefuseOldWindows,  // not NT, or older than Windows 2000
    RefuseWow64,       // a 32-bit process on 64-bit Windows
};

StartupVerdict CheckStartup();
