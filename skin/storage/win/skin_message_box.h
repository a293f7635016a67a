// The skin reader's messages as a message box.
#pragma once

// Makes the skin reader show its messages (an unknown package version) in a message box whose caption is the
// program's name, as the user expects from a GUI program. The Windows program calls this once at start,
// before any skin is loaded; without it the messages go to the standard error stream.
void InstallSkinMessageBox();
