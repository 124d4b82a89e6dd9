#pragma once

#include <QWidget>

// The program's one window.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
};
