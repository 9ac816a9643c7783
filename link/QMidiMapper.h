#pragma once

// Member of the port-layer family meant to bind incoming controllers to
// widgets. No window of the editor creates one; its slots do nothing.

#include <QObject>

class QMidiMessage;
class QWidget;

class QMidiMapper : public QObject
{
    Q_OBJECT
public:
    explicit QMidiMapper(QObject* parent = nullptr);

public slots:
    void setMappingState(bool value);
    void setWidget(QWidget* widget);
    void onMidiMessageReceive(QMidiMessage* message);
};
