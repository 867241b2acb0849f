#pragma once
// The mouse buttons, as the windows and the tray icon report them.
namespace ormind {

enum class MouseButton { Left, Right, Middle };

}  // namespace ormind
