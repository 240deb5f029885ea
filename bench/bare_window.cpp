// The reference for start-up without text: a bare Qt program that opens a frameless
// 800 x 572 window and quits right after its first paint.
#include "ReferenceWindow.h"

int main(int argc, char* argv[])
{
    return runReferenceWindow(argc, argv, [](QPainter&, const QRect&) {});
}
