#pragma once

class TMainForm;
class TStringForm;
class TTableForm;
class TTextForm;
class TFormDlgTable;
class TAboutForm;
class TAnsTextForm;
class TAnsTableForm;
class TAnsStringForm;
class TTextResultForm;
class TStringResultForm;
class TTableResultForm;
class TMessageForm;
class TAdviceForm;
class TAssistantForm;
class TWizardForm;
class TMarkersForm;
class TBookmarkForm;
class TSchulteForm;
class TSchulteResultForm;
class TFlashForm;
class TDiaryForm;

// The program's windows, each created once at start-up in this order and kept until the end.
struct ProgramWindows {
    TMainForm* MainForm = nullptr;
    TStringForm* StringForm = nullptr;
    TTableForm* TableForm = nullptr;
    TTextForm* TextForm = nullptr;
    TFormDlgTable* FormDlgTable = nullptr;
    TAboutForm* AboutForm = nullptr;
    TAnsTextForm* AnsTextForm = nullptr;
    TAnsTableForm* AnsTableForm = nullptr;
    TAnsStringForm* AnsStringForm = nullptr;
    TTextResultForm* TextResultForm = nullptr;
    TStringResultForm* StringResultForm = nullptr;
    TTableResultForm* TableResultForm = nullptr;
    TMessageForm* MessageForm = nullptr;
    TAdviceForm* AdviceForm = nullptr;
    TAssistantForm* AssistantForm = nullptr;
    TWizardForm* WizardForm = nullptr;
    TMarkersForm* MarkersForm = nullptr;
    TBookmarkForm* BookmarkForm = nullptr;
    TSchulteForm* SchulteForm = nullptr;
    TSchulteResultForm* SchulteResultForm = nullptr;
    TFlashForm* FlashForm = nullptr;
    TDiaryForm* DiaryForm = nullptr;
};
