#pragma once

#include <QFont>
#include <optional>

class QImage;
class QLabel;
class QWidget;
class RuleTables;

// What the selection popup borrows from the main window. Everything stays owned there.
struct SelectionContext
{
    QWidget* mainWindow = nullptr;   // photographed as the popup's background
    QWidget* techDock = nullptr;     // the information dock; never covered by the popup
    QWidget* techPanel = nullptr;    // the dock's normal contents, hidden while open
    QLabel* techDockImage = nullptr; // shows dockFadeImage while open
    QImage* dockFadeImage = nullptr; // what the dock shows, fading towards dockInfoImage
    QImage* dockInfoImage = nullptr; // the information about the hovered entry
    const RuleTables* tables = nullptr;
    // The window's heading face for the dock's titles; the face name alone when not given.
    std::optional<QFont> titleFace;
};
