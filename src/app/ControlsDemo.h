#pragma once

class QWidget;

// A white panel with rating dots and the two priority boxes set up as the character
// sheet uses them.
QWidget* createControlsDemo(QWidget* parent);
