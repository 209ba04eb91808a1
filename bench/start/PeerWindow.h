// The peer of the window benchmarks: a plain Qt window of 600 stock widgets in a grid, at the editor's
// design size (labels, buttons, sliders, edits, check boxes and combo boxes, a hundred of each).
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QWidget>
#include <memory>

inline std::unique_ptr<QWidget> PeerWindow()
{
    auto w = std::make_unique<QWidget>();
    auto* grid = new QGridLayout(w.get());
    for (int i = 0; i < 600; ++i) {
        QWidget* c = nullptr;
        switch (i % 6) {
        case 0:
            c = new QLabel(QStringLiteral("Label %1").arg(i));
            break;
        case 1:
            c = new QPushButton(QStringLiteral("Button %1").arg(i));
            break;
        case 2:
            c = new QSlider(Qt::Vertical);
            break;
        case 3:
            c = new QLineEdit(QStringLiteral("%1.00 dB").arg(i));
            break;
        case 4:
            c = new QCheckBox(QStringLiteral("Check %1").arg(i));
            break;
        default: {
            auto* b = new QComboBox;
            b->addItems({QStringLiteral("12 dB/Oct"), QStringLiteral("24 dB/Oct")});
            c = b;
        }
        }
        grid->addWidget(c, i / 30, i % 30);
    }
    w->resize(1125, 727);
    return w;
}
