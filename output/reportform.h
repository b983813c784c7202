#pragma once

#include "platform/form.h"
#include "platform/report.h"

#include <cstdint>

// The report layout: never shown, it carries the report of the listed notes and its bands.
class TReportForm : public TForm {
    Q_OBJECT
public:
    explicit TReportForm(QWidget* owner = nullptr);

    TQuickReport* QuickReport1;
    TQRBand* QRBand1;
    TQRLabel* QRLabel1;
    TQRBand* QRBand2;
    TQRLabel* QRLabel2;
    TQRLabel* QRLabel3;
    TQRLabel* QRLabel4;
    TQRLabel* QRLabel5;
    TQRLabel* QRLabel6;
    TQRLabel* QRLabel7;
    TQRLabel* QRLabel8;
    TQRLabel* QRLabel9;
    TQRMemo* QRMemo1;
    TQRSysData* QRSysData1;
    TQRLabel* QRLabel10;

    void QuickReport1NeedData(QObject* Sender, bool& MoreData);
};

// The main window's list row the next record is taken from; back to 1 after the last record.
extern int32_t ReportRow;
