#pragma once

#include <QPointer>

namespace brookhum {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;

// The current instance of each window. A window that is opened again gets a
// fresh instance, which replaces the previous one here.
struct FormRefs {
    TForm1 *Form1 = nullptr;
    QPointer<TForm2> Form2;
    QPointer<TForm3> Form3;
    QPointer<TForm4> Form4;
    QPointer<TForm5> Form5;
};

} // namespace brookhum
