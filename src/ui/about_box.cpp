#include "ui/about_box.h"

#include "ui/program_icon.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace quarvel {

namespace {

QLabel *redBoldLabel(const QString &text, int points, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font(QStringLiteral("Arial"), points);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
    return label;
}

} // namespace

AboutBox::AboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(programIcon());

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("programIcon"));
    icon->setPixmap(programIconPixmap(64));
    auto *name = redBoldLabel(QStringLiteral("Quarvel"), 16, this);
    name->setObjectName(QStringLiteral("productName"));
    auto *version = redBoldLabel(kVersionText, 11, this);
    version->setObjectName(QStringLiteral("version"));

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(16);
    top->addLayout(texts, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(20, 20, 20, 14);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void AboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Centred on the screen, not on the window that opened it.
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace quarvel
