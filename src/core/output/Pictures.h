#pragma once

#include <QImage>

// The pictures the window is painted from, drawn in code at the sizes the layout fixes.
// Each is drawn once and cached.
namespace Pictures {

QImage background();       // 800 x 572: the whole window
QImage buttonFace();       // 107 x 31: navigation and command buttons
QImage presetFace();       // 90 x 25: preset buttons of the Rules and Books panels
QImage divider();          // 594 x 31: between the sheet's sections
QImage scrollThumb();      // 20 x 20
QImage checked();          // 12 x 13 tick box, ticked
QImage unChecked();        // 12 x 13 tick box, empty
QImage aboutPicture();     // 240 x 240: the About panel and the splash
QImage dialogBackground(); // 200 x 143: the small dialogs
QImage dialogButton();     // 107 x 31: the small dialogs' buttons

// The background as drawn here. background() takes the copy drawn at build time instead
// when the program carries one under this resource name, as raw 32-bit pixels.
QImage drawBackground();
inline constexpr char PreparedBackground[] = ":/pictures/background.rgb32";
inline constexpr QSize BackgroundSize(800, 572);

} // namespace Pictures
