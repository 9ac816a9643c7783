#include "PageProbe.h"

#include "LyrForm.h"
#include "QMyAdsrPlot.h"
#include "QMyKeyboard.h"
#include "QMyParametricEqPlot.h"
#include "QMyRangeSlider.h"
#include "TPrograms.h"
#include "ui_LyrForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTest>

#include <cmath>
#include <cstring>

namespace probe {

static QWidget* find(LyrForm& window, const QString& name)
{
    QWidget* w = window.findChild<QWidget*>(name);
    if (!w)
        qWarning() << "no widget" << name;
    return w;
}

QString shown(QWidget* w)
{
    if (auto* dial = qobject_cast<QMyAbstractSlider*>(w))
        return QString::number(dial->getValue());
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return QString::number(combo->currentIndex());
    if (auto* box = qobject_cast<QCheckBox*>(w))
        return box->isChecked() ? "1" : "0";
    if (auto* range = qobject_cast<QMyRangeSlider*>(w))
        return QString("%1-%2").arg(range->lowValue()).arg(range->highValue());
    if (auto* keys = qobject_cast<QMyKeyboard*>(w))
        return QString("%1-%2").arg(keys->getLowKey()).arg(keys->getHighKey());
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    if (auto* slider = qobject_cast<QSlider*>(w))
        return QString::number(slider->value());
    if (auto* plot = qobject_cast<QMyAdsrPlot*>(w)) {
        const QPointF attack = plot->getPoints().value(QMyAdsrPlot::Attack);
        return QString("%1,%2").arg(std::lround(attack.x() * 127)).arg(std::lround(attack.y() * 127));
    }
    return QString("?");
}

QString shown(LyrForm& window, const QString& name)
{
    static const QRegularExpression pseudo("^(marker|eqType|eqFreq)(\\d+)$");
    const QRegularExpressionMatch m = pseudo.match(name);
    if (name.endsWith(".text")) {
        auto* combo = qobject_cast<QComboBox*>(find(window, name.chopped(5)));
        return combo ? combo->currentText() : QString("no combo box");
    }
    if (!m.hasMatch())
        return shown(find(window, name));
    const int n = m.captured(2).toInt();
    if (m.captured(1) == "marker") {
        // The marker is the label inside program button n.
        const QList<QPushButton*> buttons = window.form()->programsScrollAreaWidgetContents->findChildren<QPushButton*>(
            QString(), Qt::FindDirectChildrenOnly);
        QLabel* label = n < buttons.size() ? buttons[n]->findChild<QLabel*>() : nullptr;
        if (!label)
            return QString("no marker");
        static const QRegularExpression rgba("rgba\\([^)]*\\)");
        return rgba.match(label->styleSheet()).captured(0);
    }
    const QMyParametricEq* band = window.form()->parametricEqPlot->band(n);
    if (!band)
        return QString("no band");
    return m.captured(1) == "eqType" ? QString::number(band->getType())
                                     : QString::number(std::lround(band->getFrequency()));
}

QStringList mismatches(LyrForm& window, const QString& expectations)
{
    QStringList wrong;
    for (const QString& e : expectations.split(' ', Qt::SkipEmptyParts)) {
        const int eq = e.indexOf('=');
        if (eq > 0) {
            const QString got = shown(window, e.left(eq));
            if (got != e.mid(eq + 1))
                wrong << QString("%1 shows %2").arg(e, got);
            continue;
        }
        const QString name = e.section(':', 0, 0);
        const QString state = e.section(':', 1);
        QWidget* w = find(window, name);
        const bool got = !w ? false
                         : state == "enabled" || state == "disabled" ? w->isEnabled()
                                                                    : !w->isHidden();
        if (!w || got != (state == "enabled" || state == "visible"))
            wrong << QString("%1 is not so").arg(e);
    }
    return wrong;
}

void poke(const QString& pokes)
{
    quint8* program = reinterpret_cast<quint8*>(programPtr);
    quint8* all = reinterpret_cast<quint8*>(&programs);
    for (const QString& p : pokes.split(' ', Qt::SkipEmptyParts)) {
        if (p.contains("+=")) {
            const QByteArray data = QByteArray::fromHex(p.section("+=", 1).toLatin1());
            std::memcpy(program + p.section("+=", 0, 0).toInt(), data.constData(), size_t(data.size()));
        } else if (p.startsWith('@')) {
            all[p.mid(1).section('=', 0, 0).toInt()] = quint8(p.section('=', 1).toInt());
        } else {
            program[p.section('=', 0, 0).toInt()] = quint8(p.section('=', 1).toInt());
        }
    }
}

void act(LyrForm& window, const QString& name, const QString& action, const QString& value)
{
    if (action == "refresh") {
        window.updateAll();
        return;
    }
    QWidget* w = find(window, name);
    if (!w)
        return;
    auto* edit = qobject_cast<QLineEdit*>(w);
    if (action == "type" || action == "focusout") {
        edit->selectAll();
        QTest::keyClicks(edit, value);
        if (action == "type") {
            QTest::keyClick(edit, Qt::Key_Return);
        } else {
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(edit, &out);
        }
    } else if (action == "return") {
        edit->setText(value);
        emit edit->returnPressed();
    } else if (auto* dial = qobject_cast<QMyAbstractSlider*>(w)) {
        dial->setValue(value.toInt());
    } else if (auto* slider = qobject_cast<QSlider*>(w)) {
        slider->setValue(value.toInt());
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        bool number = false;
        const int index = value.toInt(&number);
        combo->setCurrentIndex(number ? index : combo->findText(value));
    } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
        box->setChecked(value.toInt() != 0);
    } else if (auto* range = qobject_cast<QMyRangeSlider*>(w)) {
        const uint v = value.section(':', 1).toUInt();
        value.startsWith("low") ? range->setLowValue(v) : range->setHighValue(v);
    }
}

template <class K>
static TControl* inMap(QHash<K*, TControl>& map, QWidget* w)
{
    auto it = map.find(qobject_cast<K*>(w));
    return it == map.end() ? nullptr : &it.value();
}

TControl* record(LyrForm& window, QWidget* w)
{
    if (TControl* r = inMap(window.dialMap, w))
        return r;
    if (TControl* r = inMap(window.comboBoxMap, w))
        return r;
    if (TControl* r = inMap(window.checkBoxMap, w))
        return r;
    if (TControl* r = inMap(window.rangeSliderMap, w))
        return r;
    if (TControl* r = inMap(window.lineEditMap, w))
        return r;
    return inMap(window.sliderMap, w);
}

QList<QWidget*> mappedWidgets(LyrForm& window)
{
    QList<QWidget*> all;
    for (auto* w : window.dialMap.keys())
        all << w;
    for (auto* w : window.comboBoxMap.keys())
        all << w;
    for (auto* w : window.checkBoxMap.keys())
        all << w;
    for (auto* w : window.rangeSliderMap.keys())
        all << w;
    for (auto* w : window.lineEditMap.keys())
        all << w;
    for (auto* w : window.sliderMap.keys())
        all << w;
    std::sort(all.begin(), all.end(), [](QWidget* a, QWidget* b) { return a->objectName() < b->objectName(); });
    return all;
}

QByteArray block()
{
    return QByteArray(reinterpret_cast<const char*>(&programs), sizeof(programs));
}

QString changes(const QByteArray& before)
{
    const QByteArray after = block();
    const int base = int(reinterpret_cast<const char*>(programPtr) - reinterpret_cast<const char*>(&programs));
    QStringList list;
    for (int i = 0; i < after.size(); ++i) {
        if (after[i] == before[i])
            continue;
        const bool inProgram = i >= base && i < base + int(sizeof(TProgram));
        list << QString("%1%2=%3").arg(inProgram ? "" : "@").arg(inProgram ? i - base : i).arg(quint8(after[i]));
    }
    return list.join(' ');
}

} // namespace probe
