#pragma once

#include <QCursor>

// The program's ankh pointer, shown over every sheet item that opens a list.
namespace AnkhCursor {
QCursor create();
}
