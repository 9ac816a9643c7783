#include "QMidiMapper.h"

QMidiMapper::QMidiMapper(QObject* parent)
    : QObject(parent)
{
}

void QMidiMapper::setMappingState(bool)
{
}

void QMidiMapper::setWidget(QWidget*)
{
}

void QMidiMapper::onMidiMessageReceive(QMidiMessage*)
{
}
