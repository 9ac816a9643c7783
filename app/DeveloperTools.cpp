// The Debug page: direct module commands, the packet-size and DSP flash
// tests, a free-form packet and the fixed packets for the sound chip.

#include "LyrForm.h"

#include "Prompts.h"
#include "QMidiUtils.h"
#include "SysExFrame.h"
#include "TInfo.h"
#include "ui_LyrForm.h"

#include <QDebug>

#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <vector>

namespace {

constexpr uint32_t SamFlashWriteTimeoutMs = 10000;

// The second high-quality distortion's settings are the sound chip's
// non-registered parameters 0x3E/lsb, its drive at lsb 4. The second
// reverb's level is reverb parameter 7 (secondReverbControl).
constexpr unsigned char HqDistortion2 = 0x3E;
constexpr unsigned char HqDistortion2Drive = 0x04;
constexpr unsigned char SecondReverbLevel = 0x07;

QByteArray bytes(std::initializer_list<unsigned char> list)
{
    return QByteArray(reinterpret_cast<const char*>(list.begin()), qsizetype(list.size()));
}

// The insert radio buttons and the routing each selects.
struct InsertRouting
{
    QRadioButton* Ui_LyrForm::*button;
    unsigned char routing;
};
const InsertRouting insertRoutings[] = {
    { &Ui_LyrForm::insertOffRadioBtn, 0x00 },
    { &Ui_LyrForm::insert1RadioBtn,   0x03 },
    { &Ui_LyrForm::insert2RadioBtn,   0x12 },
};

unsigned char position7(int position)
{
    return static_cast<unsigned char>(position & 0x7F);
}

// Test sizes by sizeComboBox index; any other index is the largest, 720K.
const uint32_t samFlashSizes[] = { 0x4000, 0x8000, 0xC000, 0x10000, 0x20000, 0x40000, 0x50000, 0x54000, 0x80000 };
constexpr uint32_t SamFlashLargestSize = 0xB4000;

QLineEdit* Ui_LyrForm::*const byteEdits[] = {
    &Ui_LyrForm::byte0LineEdit,  &Ui_LyrForm::byte1LineEdit,  &Ui_LyrForm::byte2LineEdit,  &Ui_LyrForm::byte3LineEdit,
    &Ui_LyrForm::byte4LineEdit,  &Ui_LyrForm::byte5LineEdit,  &Ui_LyrForm::byte6LineEdit,  &Ui_LyrForm::byte7LineEdit,
    &Ui_LyrForm::byte8LineEdit,  &Ui_LyrForm::byte9LineEdit,  &Ui_LyrForm::byte10LineEdit, &Ui_LyrForm::byte11LineEdit,
    &Ui_LyrForm::byte12LineEdit, &Ui_LyrForm::byte13LineEdit, &Ui_LyrForm::byte14LineEdit, &Ui_LyrForm::byte15LineEdit,
};

} // namespace

void LyrForm::samTest()
{
    QMidiUtils* const link = moduleLink();
    Busy busy(this);
    if (link)
        link->samTest();
    // The module's end report gives the window back; without a link none
    // will come, and a module that falls silent must not leave it dead.
    if (!link || !link->isConnected())
        return;
    watchEndReport(QString());
    busy.handOver();
}

void LyrForm::samPanic()
{
    Busy busy(this);
    if (QMidiUtils* const link = moduleLink())
        link->samPanic();
}

void LyrForm::systemReset()
{
    Busy busy(this);
    if (QMidiUtils* const link = moduleLink())
        link->systemReset();
}

void LyrForm::samReset()
{
    Busy busy(this);
    if (QMidiUtils* const link = moduleLink())
        link->samReset();
}

void LyrForm::test()
{
    QMidiUtils* const link = moduleLink();
    Busy busy(this);
    // Before identification the size is 0 and nothing can be tested.
    const unsigned short packetSize = info.PacketSize;
    if (packetSize != 0 && link && link->test(packetSize))
        prompts->information(this, "Info", QString("Test passed.\nPacket size:%1").arg(packetSize));
    else
        prompts->critical(this, "Error", QString("Test failed.\nPacket size:%1").arg(packetSize));
}

void LyrForm::testFlashReadWrite()
{
    bool ok = false;
    uint32_t address = ui->addressLineEdit->text().toUInt(&ok, 16);
    if (!ok)
        address = 0;
    const int index = ui->sizeComboBox->currentIndex();
    const uint32_t size = index >= 0 && index < int(std::size(samFlashSizes)) ? samFlashSizes[index]
                                                                               : SamFlashLargestSize;
    showProgressDialog();

    std::vector<uint8_t> data(size);
    for (uint8_t& byte : data)
        byte = static_cast<uint8_t>(std::rand());
    std::vector<uint8_t> readBack(size, 0);

    // Only compare reports an outcome; the transfers report their own
    // failures through the link's messages. Without a link nothing moves
    // and compare finds the buffers differ.
    QMidiUtils* const link = moduleLink();
    auto read = [&](uint8_t* into) { return link && link->readFromSamFlash(address, size, into); };
    auto write = [&] { return link && link->writeToSamFlash(address, size, data.data(), SamFlashWriteTimeoutMs); };
    if (ui->readRadioButton->isChecked()) {
        message("Reading from SAM Flash ...");
        read(data.data());
    } else if (ui->writeRadioButton->isChecked()) {
        message("Writing to SAM Flash ...");
        write();
    } else if (ui->compareRadioButton->isChecked()) {
        message("Writing to SAM Flash ...");
        write();
        message("Reading from SAM Flash ...");
        read(readBack.data());
        if (data != readBack)
            prompts->warning(this, "Warning", "Read/Write SAM Flash error");
        else
            prompts->information(this, "Info", "Read/Write SAM Flash succesfull");
    }
    closeProgressDialog();
}

void LyrForm::sendSamData()
{
    // The packet ends at the first empty edit; text that is not hex is 0.
    unsigned char buffer[std::size(byteEdits)] = {};
    unsigned short count = 0;
    for (QLineEdit* Ui_LyrForm::*edit : byteEdits) {
        const QString text = (ui->*edit)->text();
        if (text.isEmpty())
            break;
        buffer[count++] = static_cast<unsigned char>(text.toUInt(nullptr, 16));
    }
    if (count == 0)
        return;
    qDebug() << "mando" << count << "bytes";
    sendToSoundChip(QByteArray(reinterpret_cast<const char*>(buffer), count));
}

void LyrForm::sendToSoundChip(QByteArray bytes)
{
    if (QMidiUtils* const link = moduleLink())
        link->sendCommand(ComSamSendData, ushort(bytes.size()), reinterpret_cast<unsigned char*>(bytes.data()));
}

QByteArray LyrForm::soundChipParameter(uchar msb, uchar lsb, uchar value)
{
    return bytes({ 0xF5, 0x01, 0xB0, 0x63, msb, 0xB0, 0x62, lsb, 0xB0, 0x06, value });
}

// The three insert radio buttons act as one group; a click on the checked
// one sends its routing again.
void LyrForm::on_insertOffRadioBtn_clicked()
{
    selectInsertRouting(0);
}

void LyrForm::on_insert1RadioBtn_clicked()
{
    selectInsertRouting(1);
}

void LyrForm::on_insert2RadioBtn_clicked()
{
    selectInsertRouting(2);
}

void LyrForm::selectInsertRouting(int which)
{
    for (int i = 0; i < int(std::size(insertRoutings)); ++i) {
        QRadioButton* button = ui->*insertRoutings[i].button;
        const QSignalBlocker block(button);
        button->setChecked(i == which);
    }
    const unsigned char routing = insertRoutings[which].routing;
    sendToSoundChip(bytes({ 0xF0, 0x41, 0x00, 0x42, 0x12, 0x40, 0x40, 0x22, routing, 0x00, 0xF7 }));
}

// Several parameters go in one packet.
void LyrForm::on_hqDist2OnBtn_clicked()
{
    sendToSoundChip(soundChipParameter(HqDistortion2, 0x00, 0x01) + soundChipParameter(HqDistortion2, 0x7F, 0x01)
                    + soundChipParameter(HqDistortion2, 0x03, 0x02));
}

void LyrForm::on_hqDist2OffBtn_clicked()
{
    sendToSoundChip(soundChipParameter(HqDistortion2, 0x00, 0x00) + soundChipParameter(HqDistortion2, 0x7F, 0x00));
}

void LyrForm::on_hqDist2DriveDial_sliderMoved(int position)
{
    qDebug() << "position" << position;
    sendToSoundChip(soundChipParameter(HqDistortion2, HqDistortion2Drive, position7(position)));
}

void LyrForm::on_secondRevSendDial_sliderMoved(int position)
{
    // The second reverb takes the send (controller 92), the first none (91).
    sendToSoundChip(bytes({ 0xF5, 0x01, 0xB0, 0x5C, position7(position) }));
    sendToSoundChip(bytes({ 0xF5, 0x01, 0xB0, 0x5B, 0x00 }));
}

void LyrForm::on_secondRevLevelDial_sliderMoved(int position)
{
    secondReverbControl(SecondReverbLevel, position7(position));
}
