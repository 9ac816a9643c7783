#pragma once

// What the editor pages show and how a user changes them, in the short
// texts the page tests write their rows in.

#include "ControlTables.h"
#include "LyrForm.h"
#include "TPrograms.h"
#include "TestSupport.h"
#include "ui_LyrForm.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace probe {

// Every widget of the six maps with its family and its record (editable in
// place).
struct Mapped
{
    QWidget* widget;
    ControlFamily family;
    TControl* record;
};

inline QList<Mapped> records(LyrForm& w)
{
    QList<Mapped> all;
    auto add = [&all](auto& map, ControlFamily family) {
        for (auto it = map.begin(); it != map.end(); ++it)
            all.append({ it.key(), family, &it.value() });
    };
    add(w.dialMap, ControlFamily::Dial);
    add(w.rangeSliderMap, ControlFamily::RangeSlider);
    add(w.comboBoxMap, ControlFamily::ComboBox);
    add(w.checkBoxMap, ControlFamily::CheckBox);
    add(w.lineEditMap, ControlFamily::LineEdit);
    add(w.sliderMap, ControlFamily::Slider);
    return all;
}

// The value a widget shows: a knob's or slider's value, a combo box's index,
// a check box's 0/1, "low-high" of a range, a text, an envelope's attack
// point "time,level".
inline QString shown(QWidget* w)
{
    if (auto* dial = qobject_cast<QMyAbstractSlider*>(w))
        return QString::number(dial->getValue());
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return QString::number(combo->currentIndex());
    if (auto* box = qobject_cast<QCheckBox*>(w))
        return box->isChecked() ? "1" : "0";
    if (auto* button = qobject_cast<QPushButton*>(w))
        return button->text();
    if (auto* range = qobject_cast<QMyRangeSlider*>(w))
        return QString("%1-%2").arg(range->lowValue()).arg(range->highValue());
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* slider = qobject_cast<QSlider*>(w))
        return QString::number(slider->value());
    if (auto* plot = qobject_cast<QMyAdsrPlot*>(w)) {
        const QPointF attack = plot->getPoints().value(QMyAdsrPlot::Attack);
        return QString("%1,%2").arg(std::lround(attack.x() * 127)).arg(std::lround(attack.y() * 127));
    }
    if (auto* lfo = qobject_cast<QMyLfoPlot*>(w))
        return QString("%1,%2,%3,%4").arg(lfo->getDepth()).arg(lfo->getRate()).arg(lfo->getDelay())
                                      .arg(lfo->getShape());
    if (auto* eq = qobject_cast<QMyParametricEqPlot*>(w)) {
        QString bands;   // each band's frequency, gain, Q and type
        for (int b = 0; b < eq->getBandCount(); ++b) {
            const QMyParametricEq* band = eq->band(b);
            QDebug(&bands) << band->getFrequency() << band->getGain() << band->getQ() << band->getType();
        }
        return bands;
    }
    return QString("?");
}

// The same by name; "<widget>.enabled" and "<widget>.visible" are 1 or 0,
// "marker<n>" is program n's colour as "rgba(r,g,b,a)", "button<n>" the
// name its button draws ("&&" draws "&", a lone "&" marks a mnemonic).
inline QString shown(LyrForm& window, const QString& name)
{
    if (name.contains('.')) {
        const QWidget* w = window.findChild<QWidget*>(name.section('.', 0, 0));
        if (!w)
            return "no such widget";
        return QString::number(name.endsWith("enabled") ? w->isEnabled() : !w->isHidden());
    }
    if (!name.startsWith("marker") && !name.startsWith("button"))
        return shown(window.findChild<QWidget*>(name));
    const QList<QPushButton*> buttons = window.form()->programsScrollAreaWidgetContents->findChildren<QPushButton*>();
    const QPushButton* button = buttons.value(name.mid(6).toInt());
    if (name.startsWith("button"))
        return button->text().section(" [", 0, 0).replace("&&", QChar(1)).remove('&').replace(QChar(1), '&');
    static const QRegularExpression rgba("rgba\\([^)]*\\)");
    return rgba.match(button->findChild<QLabel*>()->styleSheet()).captured(0);
}

// A name with "{a,b}" groups (nested or not) as every name it spells.
inline QStringList expand(const QString& name)
{
    const qsizetype open = name.indexOf('{');
    if (open < 0)
        return { name };
    QStringList choices { QString() };
    qsizetype at = open + 1;
    for (int depth = 0; depth >= 0; ++at) {
        depth += name[at] == '{' ? 1 : name[at] == '}' ? -1 : 0;
        if (depth == 0 && name[at] == ',')
            choices << QString();
        else if (depth >= 0)
            choices.last() += name[at];
    }
    QStringList all;
    for (const QString& choice : choices)
        all << expand(name.left(open) + choice + name.mid(at));
    return all;
}

// Space-separated "name=value" expectations with what the window shows in
// place of each value; a name with groups expects the value of every name
// it spells, and lists the ones that show otherwise.
inline QString actual(LyrForm& window, const QString& expectations)
{
    QStringList got;
    for (const QString& e : expectations.split(' ', Qt::SkipEmptyParts)) {
        const QString key = e.section('=', 0, 0), want = e.section('=', 1);
        QStringList otherwise;
        for (const QString& name : expand(key)) {
            if (const QString v = shown(window, name); v != want)
                otherwise << (key.contains('{') ? name + ':' + v : v);
        }
        got << key + '=' + (otherwise.isEmpty() ? want : otherwise.join(','));
    }
    return got.join(' ');
}

// Everything the pages show, a line per widget: its name, value, and
// whether it is enabled and shown.
inline QStringList view(LyrForm& window)
{
    QStringList lines;
    for (QWidget* w : window.form()->centralTabWidget->findChildren<QWidget*>()) {
        QString line = w->objectName() + '=' + shown(w);
        if (auto* plot = qobject_cast<QMyAdsrPlot*>(w))
            QDebug(&line) << plot->getPoints();
        lines << line + QString(" %1%2").arg(w->isEnabled()).arg(!w->isHidden());
    }
    return lines;
}

// The first line of view a that b shows otherwise; empty when none.
inline QString difference(const QStringList& a, const QStringList& b)
{
    const auto [was, is] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return was == a.end() ? QString() : *was + " then " + (is == b.end() ? QString() : *is);
}

// What a full refresh changes on the pages: empty when they were up to date.
inline QString stale(LyrForm& window)
{
    const QStringList before = view(window);
    window.updateAll();
    return difference(before, view(window));
}

// Space-separated "offset=value" into the current program, then a refresh;
// "|" refreshes in between.
inline void poke(LyrForm& window, const QString& pokes)
{
    for (const QString& p : pokes.split(' ', Qt::SkipEmptyParts)) {
        if (p == "|")
            window.updateAll();
        else
            reinterpret_cast<quint8*>(programPtr)[p.section('=', 0, 0).toInt()] = quint8(p.section('=', 1).toInt());
    }
    window.updateAll();
}

// What a user does, "<widget> <action> <value>": "set" a knob, slider, combo box
// (index), check box (0/1) or range slider ("low:n", "high:n"); "type" into
// an edit and press Return; "return" with the text as it stands, past the
// validator; "focusout" types and leaves the edit without Return.
inline void act(LyrForm& window, const QString& does)
{
    QWidget* w = window.findChild<QWidget*>(does.section(' ', 0, 0));
    const QString action = does.section(' ', 1, 1), value = does.section(' ', 2);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->selectAll();
        QTest::keyClicks(edit, value);
        if (action == "type") {
            QTest::keyClick(edit, Qt::Key_Return);
        } else if (action == "focusout") {
            QCoreApplication::sendEvent(edit, &out);
        } else {
            edit->setText(value);
            emit edit->returnPressed();
        }
    } else if (auto* dial = qobject_cast<QMyAbstractSlider*>(w)) {
        dial->setValue(value.toInt());
    } else if (auto* slider = qobject_cast<QSlider*>(w)) {
        slider->setValue(value.toInt());
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setCurrentIndex(value.toInt());
    } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
        box->setChecked(value.toInt() != 0);
    } else if (auto* range = qobject_cast<QMyRangeSlider*>(w)) {
        const uint v = value.section(':', 1).toUInt();
        value.startsWith("low") ? range->setLowValue(v) : range->setHighValue(v);
    }
}

// The 64 KB programs block, and the bytes changed since as "offset=value".
inline QByteArray block() { return bytes(programs); }

inline QString changes(const QByteArray& before)
{
    const QByteArray after = block();
    QStringList list;
    for (int i = 0; i < after.size(); ++i) {
        if (after[i] != before[i])
            list << QString("%1=%2").arg(i).arg(quint8(after[i]));
    }
    return list.join(' ');
}

} // namespace probe
