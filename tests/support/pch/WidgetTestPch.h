// Precompiled for the tests of drawn controls: the test framework and the Qt headers they share.
#pragma once

#include "TestPch.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QWidget>
