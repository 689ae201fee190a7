#pragma once

#include <QSize>
#include <QString>

class QLabel;
class QWidget;

// A label showing one of the program's pictures (resources/images), drawn at
// build time at `size` and at twice that: the larger one on screens of high
// density. `name` is the picture's file name without its extension.
QLabel *pictureLabel(const QString &name, QSize size, QWidget *parent);
