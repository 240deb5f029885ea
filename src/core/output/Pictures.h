#pragma once

#include <QImage>

// The pictures the window is painted from, drawn in code at the sizes the layout fixes.
// Each is drawn once and cached.
namespace Pictures {

QImage background();            // 800 x 572: the whole window
QImage buttonFace();            // 107 x 31: navigation and command buttons
QImage presetFace();            // 90 x 25: preset buttons of the Rules and Books panels
QImage divider();               // 594 x 31: between the sheet's sections
QImage scrollThumb();           // 20 x 20
QImage checked();               // 12 x 13 tick box, ticked
QImage unChecked();             // 12 x 13 tick box, empty
QImage aboutPicture();          // 240 x 240: the About panel and the splash
QImage dialogBackground();      // 200 x 143: the small dialogs
QImage printDialogBackground(); // 200 x 165: the print dialog, one tick row more
QImage dialogButton();          // 107 x 31: the small dialogs' buttons

} // namespace Pictures
