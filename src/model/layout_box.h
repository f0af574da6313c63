#pragma once

// The main window's layout boxes: the four layouts, at most one of them
// ticked, and the two modifiers.
enum class LayoutBox { LayoutDouble, LayoutCd, LayoutDvd, LayoutVhs, SecondFront, SecondPicture };
