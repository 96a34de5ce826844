#pragma once
// What a Qt program of ours arranges around its QApplication.

namespace qingyu::platform::qt {

// Before the QApplication: the web engine's sandbox is off for root (it refuses to start
// otherwise), and it renders in software where there is no desktop session (a virtual display
// such as Xvfb, or the offscreen platform) or when `software_rendering` asks for it.
void prepare_environment(bool software_rendering);

// After the QApplication: a font that has the Chinese characters, when one is installed.
void apply_default_font();

}  // namespace qingyu::platform::qt
