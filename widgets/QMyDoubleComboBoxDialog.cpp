#include "QMyDoubleComboBoxDialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QComboBox* makeList(QWidget* parent, const QList<QString>& items, int index)
{
    auto* box = new QComboBox(parent);
    box->setEditable(false);
    box->addItems(items);
    if (index < box->count())
        box->setCurrentIndex(index);
    return box;
}

} // namespace

QMyDoubleComboBoxDialog::QMyDoubleComboBoxDialog(QWidget* parent, QString title,
                                                 QString label1, QList<QString> items1, int index1,
                                                 QString label2, QList<QString> items2, int index2)
    : QDialog(parent)
{
    setWindowTitle(title);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    firstComboBox = makeList(this, items1, index1);
    secondComboBox = makeList(this, items2, index2);
    layout->addWidget(new QLabel(label1, this));
    layout->addWidget(firstComboBox);
    layout->addWidget(new QLabel(label2, this));
    layout->addWidget(secondComboBox);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setFixedSize(sizeHint());
}
