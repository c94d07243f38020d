#pragma once
// Process start-up shared by the reader and its tests: fonts, embedded data, daily verses.

namespace orvane {

inline constexpr const char* kAppTitle = "澜晔圣经阅读器-串珠版（测试版0.1）";

// Maps the Windows face names the windows ask for onto the fonts we install, registers the
// embedded containers and loads the daily verses. Call after QApplication exists.
void PrepareApplication();

} // namespace orvane
