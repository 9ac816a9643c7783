#include "TInfo.h"

#include <QDebug>

TInfo info;

// Sector starts, addresses and sizes in hexadecimal, as flash maps are read,
// and in decimal.
static void hexAndDecimal(const char* label, quint32 value)
{
    qDebug().noquote() << label << "0x" + QString::number(value, 16) << value;
}

static void decimal(const char* label, quint32 value)
{
    qDebug().noquote() << label << value;
}

void printInfo()
{
    qDebug().noquote() << "\n-----------------------------";
    qDebug().noquote() << "Info";
    qDebug().noquote() << "Id:" << "0x" + QString::number(info.Id, 16);
    decimal("PacketSize:", info.PacketSize);
    hexAndDecimal("LoaderSectorIni:", info.LoaderSectorIni);
    decimal("LoaderSectorNum:", info.LoaderSectorNum);
    hexAndDecimal("LoaderAddr:", info.LoaderAddr);
    hexAndDecimal("LoaderSize:", info.LoaderSize);
    hexAndDecimal("SamSectorIni:", info.SamSectorIni);
    decimal("SamSectorNum:", info.SamSectorNum);
    hexAndDecimal("SamAddr:", info.SamAddr);
    hexAndDecimal("SamSize:", info.SamSize);
    hexAndDecimal("AppSectorIni:", info.AppSectorIni);
    decimal("AppSectorNum:", info.AppSectorNum);
    hexAndDecimal("AppAddr:", info.AppAddr);
    hexAndDecimal("AppSize:", info.AppSize);
    hexAndDecimal("ProgramSectorIni:", info.ProgramSectorIni);
    decimal("ProgramSectorNum:", info.ProgramSectorNum);
    hexAndDecimal("ProgramAddr:", info.ProgramAddr);
    hexAndDecimal("ProgramSize:", info.ProgramSize);
    decimal("LoaderVersion:", info.LoaderVersion);
    decimal("AppVersion:", info.AppVersion);
    decimal("SamVersion:", info.SamVersion);
    decimal("ProgramVersion:", info.ProgramVersion);
    qDebug().noquote() << "-----------------------------";
}
