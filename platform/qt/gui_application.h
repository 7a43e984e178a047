#pragma once
// The toolkit's application object, as far as drawing and measuring need it.

namespace quorix::qt {

// Makes sure a GUI application object exists before fonts are touched. When the
// process has none yet, creates a widgets application (the viewer's windows
// use the same one later) that lives until the process ends; headless, without
// DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM, it runs on the offscreen
// platform. Raises Exception when a non-GUI core application already exists.
// On first use for an application it also installs the palette-based system
// colour resolver.
void EnsureGuiApplication();

// Releases the cached fonts; registered to run when the application object is
// destroyed (fonts must not outlive it).
void ReleaseFontCache();

}  // namespace quorix::qt
