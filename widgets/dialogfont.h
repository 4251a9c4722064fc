#pragma once

class QFont;

// The windows were designed around the classic 8-point dialog font; every caption is sized
// for it. This is the closest match available on each platform.
namespace dialogfont {

QFont font();
void apply(); // makes it the application's default font

} // namespace dialogfont
