// The framework's component classes, as form descriptions name them.
#pragma once

// Registers the framework's component classes with the class registry (for form descriptions). The
// application does it when it starts; calling it again does nothing new.
void RegisterFrameworkComponents();
