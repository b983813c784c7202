#pragma once

// The six forms, created once at start-up in this order and reached through these globals.
class TMainForm;
class TCategoryForm;
class TNoteForm;
class TReportForm;
class TPreviewForm;
class TAboutForm;

extern TMainForm* MainForm;
extern TCategoryForm* CategoryForm;
extern TNoteForm* NoteForm;
extern TReportForm* ReportForm;
extern TPreviewForm* PreviewForm;
extern TAboutForm* AboutForm;
