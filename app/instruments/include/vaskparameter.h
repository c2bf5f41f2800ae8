// CVaskParameter: one entry of an analyzer's parameter table. It reads its value from the
// device through a bound Fetch member of CvaskAccess and writes it back through a bound
// Transfer member, keeps the last value, turns it into display text (choice lists, two-state
// texts, dates) and takes its offline default from the application profile. Its twelve
// subclasses differ in how the value becomes text. CParameterGroup is a named list of
// entries: what one property page or one read-write unit shows.
//
// The entries are embedded in the analyzer object; the groups hold pointers to them and
// never delete them. Nothing here takes a lock: the analyzer's callers read entries from
// several threads, and the access object serialises the bus requests.
#pragma once

#include "vaskfc.h"

#include "vaskaccess.h"

#include <utility>
#include <vector>

class CParameterGroup;
class CVaskInstrument;

class CVaskParameter : public CObject {
    DECLARE_SERIAL(CVaskParameter)
public:
    typedef CvaskAccess::ParamAdapter Adapter;

    // Named "Unknown" (string 20001), empty texts, every number 0, nothing bound, the
    // default value.
    CVaskParameter();
    ~CVaskParameter() override;

    // Binds the entry: name (empty: "Unknown"), channel (component 0-3), element index,
    // attributes, the Fetch and Transfer members (null: none), the access object, the key
    // text and the bus text.
    virtual void Set(CString name, int channel, int index, int attributes, Adapter fetch,
                     Adapter transfer, CvaskAccess* access, const CString& keyText,
                     const CString& busText);
    // Set with the name and the key text loaded from the string table (a missing string
    // gives an empty text).
    virtual void Init(UINT nameId, int channel, int index, int attributes, Adapter fetch,
                      Adapter transfer, CvaskAccess* access, UINT keyTextId,
                      const CString& busText);
    // The property sheet (1 adjustment, 2 parameter, 3 configuration, 4 drift values,
    // 5 diagnostics; 0 none) and its 0-based page that Edit opens.
    virtual void SetEditPage(int sheet, int page);
    // Runs the edit sheet of the analyzer on the edit page (through the instrument host);
    // nothing for a sheet outside 1 to 5.
    virtual void Edit(CVaskInstrument* analyzer);
    // The entry's record of the analyzer's document. Storing (an offline entry only): key,
    // number and the marker 2, then the value brought up to date (GetValue) as text, number,
    // unit and quantity. Loading, after the analyzer read the key and number: marker and
    // value into the entry, which is then loaded and valid; the device's own identity,
    // channel name, frequency and board versions (numbers 1-4, 274, 372, 576-581) keep
    // their value unless the host runs a compare load. An entry that is not stored in
    // documents, or whose number is obsolete in a file of `typeCode` (5; 603-605 of a Sindor
    // 23 file), reads the record's rest and drops it. `typeCode` is the file's (0 storing).
    virtual void SerializeValue(CArchive& ar, int typeCode);
    // The valid flag and the current value: read from the device while online (again on
    // every call for a changeable entry), the profile default while offline. Without a group
    // or an analyzer 0, with `out` untouched.
    virtual int GetValue(VaskFloat& out);
    // The cached value from `value`: number, unit and quantity; the text is the number as
    // "%.3f" (the given text is not used). Makes the entry valid.
    virtual void SetValue(const VaskFloat& value);
    // Writes the value of `source` (which must have been loaded from a document) into the
    // device; the outcome goes to the source's transfer result. 1 on success, else 0.
    virtual int TransferFrom(CVaskParameter* source);
    // TransferFrom for (entry, source) pairs whose entries write into one setting of one
    // channel of one analyzer (CvaskAccess::GetTransferSetting): one read and one write of
    // the setting carry every source's value (CvaskAccess::TransferTogether). Each source
    // gets its outcome as by TransferFrom, and each entry written takes the value.
    typedef std::vector<std::pair<CVaskParameter*, CVaskParameter*>> TransferPairs;
    static void TransferTogether(const TransferPairs& pairs);
    // The setting of the device that TransferFrom would write `source` into together with
    // others (see TransferTogether); null when it writes alone or cannot write now (offline,
    // nothing bound, a source not loaded from a document).
    const void* GetTransferSetting(const CVaskParameter* source) const;
    // `out` from the application profile: "<model name>\<group title>", entry = key text,
    // "text;unit;quantity" (default "0;1;1"). Nothing without a group or an analyzer.
    virtual void LoadDefault(VaskFloat& out);

    CString GetName() const { return m_name; }
    const CString& GetKeyText() const { return m_keyText; }
    // "<group title>\<key text>"; the key text alone without a title; empty without a key.
    CString GetKey() const;
    CParameterGroup* GetGroup() const { return m_group; }
    // Set by CParameterGroup::AddParameter.
    void SetGroup(CParameterGroup* group) { m_group = group; }
    // Reads what follows the number of one entry's document record (marker, text, number,
    // unit, quantity) and drops it.
    static void DropRecordValue(CArchive& ar);
    // The owning group's analyzer; null without a group.
    CVaskInstrument* GetInstrument() const;
    int GetNumber() const { return m_number; }
    void SetNumber(int number) { m_number = number; }
    int GetChannel() const { return m_channel; }
    int GetIndex() const { return m_index; }
    int GetAttributes() const { return m_attributes; }
    void SetAttributes(int attributes) { m_attributes = attributes; }
    Adapter GetFetch() const { return m_fetch; }
    Adapter GetTransfer() const { return m_transfer; }
    CvaskAccess* GetAccess() const { return m_access; }
    const CString& GetBusText() const { return m_busText; }
    int GetEditSheet() const { return m_editSheet; }
    int GetEditPage() const { return m_editPage; }

    // The cached value's text or unit code alone.
    void SetValueText(const CString& text) { m_value.text = text; }
    void SetValueUnit(int unit) { m_value.unit = unit; }
    // The cached value as it stands, without a read.
    const VaskFloat& GetCachedValue() const { return m_value; }
    int IsValid() const { return m_valid; }
    // The offline default into the cached value.
    void LoadDefaultValue() { LoadDefault(m_value); }
    // Set when a device read changed the value's text, unit or quantity; the views clear it.
    int IsValueChanged() const { return m_valueChanged; }
    void SetValueChanged(int changed) { m_valueChanged = changed; }
    // Whether a value was read from a document file (the source of a transfer must be).
    int IsLoaded() const { return m_loaded; }
    void SetLoaded(int loaded) { m_loaded = loaded; }

    // Two-state display: the texts for 0.0 and for every other value replace the value
    // text. An id of 0 leaves its text empty; a nonzero id without a string clears `on`.
    void SetChoiceTexts(int on, UINT zeroTextId, UINT nonZeroTextId);
    // Date display (seconds since 1970) with the CTime format of `formatId`; a missing
    // format clears `on`.
    void SetDateDisplay(int on, UINT formatId);
    int IsTwoState() const { return m_twoState; }
    int IsDate() const { return m_date; }

    // Attribute bits 1, 2 and 4.
    BOOL IsInDeviceDataWindow() const { return (m_attributes & 1) != 0; }
    BOOL IsOfflineParameter() const { return (m_attributes & 2) != 0; }
    BOOL IsChangeable() const { return (m_attributes & 4) != 0; }
    // A Transfer member is bound.
    BOOL IsOfflineTransfer() const { return m_transfer != NULL; }
    // Makes the entry read-only.
    void ClearTransfer() { m_transfer = NULL; }
    // Writes the entry through `transfer` from now on (null: read-only).
    void SetTransfer(Adapter transfer) { m_transfer = transfer; }

    // Entries whose transfer results belong to this one (the limits of a range, the number
    // and time of an autocal step); null is ignored.
    void AddLinkedParameter(CVaskParameter* linked);
    const CObList& GetLinkedParameters() const { return m_linked; }
    // The outcome of the last transfer: 1 transferred, 0 not transferred, -1 device error.
    void SetTransferResult(int result, const CString& text);
    // This entry's outcome joined with those of its linked entries that can be written: the
    // worst non-positive result wins and the failure texts are joined with ", ".
    void GetTransferResult(int& result, CString& text) const;

    // ---- the instrument view's rows ---------------------------------------------------
    // The entry's row in the instrument view's tree-list (null: none), and the mark that a
    // compare-set entry's value was shown in the current pass.
    HTREEITEM GetTreeItem() const { return m_treeItem; }
    void SetTreeItem(HTREEITEM item) { m_treeItem = item; }
    int GetCompareMark() const { return m_compareMark; }
    void SetCompareMark(int mark) { m_compareMark = mark; }
    // The comparison state of a compare-set entry: its transfer outcome and texts.
    void GetCompareResult(int& result, CString& text) const { GetTransferResult(result, text); }

private:
    // Whether TransferFrom writes `source` into the device now: online, bound to a Transfer
    // member and an access object, in an analyzer, the source loaded from a document.
    BOOL CanTransferFrom(const CVaskParameter* source) const;
    // Brings the cached value up to date: from the device (online; `out` takes the read) or
    // from the profile. Within a refresh round (refreshround.h) the device is asked once.
    void Refresh(CVaskInstrument* analyzer, VaskFloat& out);

    int m_loaded;
    CString m_transferText;
    int m_transferResult;
    CString m_name;
    int m_channel;
    int m_index;
    int m_retries;
    int m_attributes;
    Adapter m_fetch;
    Adapter m_transfer;
    VaskFloat m_value;
    int m_valid;
    CParameterGroup* m_group;
    CvaskAccess* m_access;
    CString m_keyText;
    int m_editSheet;
    int m_editPage;
    CString m_nonZeroText;
    CString m_zeroText;
    int m_twoState;
    int m_date;
    CString m_dateFormat;
    CString m_busText;
    int m_number;
    CObList m_linked;
    int m_valueChanged;
    HTREEITEM m_treeItem = NULL;
    int m_compareMark = 0;
    // The refresh round in which the entry asked its device last.
    unsigned long m_readRound = 0;
};

// An autocal step: the step's kind from the model's step list, followed by the step time.
class CAutocalStepParameter : public CVaskParameter {
    DECLARE_SERIAL(CAutocalStepParameter)
public:
    CAutocalStepParameter();
    int GetValue(VaskFloat& out) override;
    // The entries of the same step that hold its number (kind) and its time; not owned.
    void SetStepParameters(CVaskParameter* stepNumber, CVaskParameter* stepTime);

private:
    CVaskParameter* m_stepTime;
    CVaskParameter* m_stepNumber;
};

// The entries whose text is an item of a choice list (string table, one item per line or
// comma-separated).
class CPressureTypeParameter : public CVaskParameter {
    DECLARE_SERIAL(CPressureTypeParameter)
public:
    int GetValue(VaskFloat& out) override;
};

class CCurrentParameter : public CVaskParameter {
    DECLARE_SERIAL(CCurrentParameter)
public:
    int GetValue(VaskFloat& out) override;
};

class CGasTypeParameter : public CVaskParameter {
    DECLARE_SERIAL(CGasTypeParameter)
public:
    int GetValue(VaskFloat& out) override;
};

class CMeasStoreParameter : public CVaskParameter {
    DECLARE_SERIAL(CMeasStoreParameter)
public:
    int GetValue(VaskFloat& out) override;
};

// The entries whose text is the string of a code table; an entry without a value shows an
// empty text.
class CRelaisParameter : public CVaskParameter {
    DECLARE_SERIAL(CRelaisParameter)
public:
    int GetValue(VaskFloat& out) override;
};

class CBinaryParameter : public CVaskParameter {
    DECLARE_SERIAL(CBinaryParameter)
public:
    int GetValue(VaskFloat& out) override;
};

// The unit setting of a Sindor 23 or a Parvel 64; empty on other models.
class CUnitParameter : public CVaskParameter {
    DECLARE_SERIAL(CUnitParameter)
public:
    int GetValue(VaskFloat& out) override;
};

class CWarmUpStatusParameter : public CVaskParameter {
    DECLARE_SERIAL(CWarmUpStatusParameter)
public:
    int GetValue(VaskFloat& out) override;
};

class CWarmUpDeviceStateParameter : public CVaskParameter {
    DECLARE_SERIAL(CWarmUpDeviceStateParameter)
public:
    int GetValue(VaskFloat& out) override;
};

class CStartStatusParameter : public CVaskParameter {
    DECLARE_SERIAL(CStartStatusParameter)
public:
    int GetValue(VaskFloat& out) override;
};

// The Quenta model variant; shown as the base class shows it.
class CQuentaTypeParameter : public CVaskParameter {
    DECLARE_SERIAL(CQuentaTypeParameter)
};

class CParameterGroup : public CObject {
    DECLARE_SERIAL(CParameterGroup)
public:
    // Named "Unknown" (string 20001), without title.
    CParameterGroup();
    ~CParameterGroup() override;

    // The group's name and title string ids (title 0: none).
    void SetTextIds(UINT nameId, UINT titleId);
    UINT GetNameId() const { return m_nameId; }
    UINT GetTitleId() const { return m_titleId; }
    CString GetName() const;
    // Empty without a title.
    CString GetTitle() const;

    // Appends the entry and makes this its group; an entry already in the list is ignored.
    void AddParameter(CVaskParameter* parameter);
    const CObList& GetParameterList() const { return m_parameters; }

    CVaskInstrument* GetInstrument() const { return m_instrument; }
    void SetInstrument(CVaskInstrument* instrument) { m_instrument = instrument; }

    // Storing: the document records of the group's entries in list order (each entry writes
    // its own; a group without entries writes nothing). Loading reads nothing: the analyzer
    // hands each stored record to its entry.
    void Serialize(CArchive& ar) override;
    // Whether an entry is shown in the device data window (attribute bit 1).
    BOOL HasDeviceDataWindowParameter() const;

    // The expanded flag, kept in the profile as "Expanded" of "<model name>\<title>". Without
    // an analyzer nothing is read or written (ReadProfileFlags gives 0); with an empty title
    // the flag is 0 without a read and nothing is written.
    int ReadProfileFlags();
    void WriteProfileFlags(int expanded);
    int IsExpanded() const { return m_expanded; }
    // The group's row in the instrument view's tree-list; null: none.
    HTREEITEM GetTreeItem() const { return m_treeItem; }
    void SetTreeItem(HTREEITEM item) { m_treeItem = item; }

private:
    // The profile section of the flag; FALSE when there is none.
    BOOL GetProfilePlace(CString& section, CString& entry) const;

    UINT m_nameId;
    UINT m_titleId;
    CObList m_parameters;
    CVaskInstrument* m_instrument;
    int m_expanded;
    HTREEITEM m_treeItem = NULL;
};

// Index mappings between stored values and the items of the pressure-type and interference
// choice lists that the parameter pages show (the pressure mappings take the model type
// code, the interference mappings the analyzer).
int GetPressureChoiceTextId(int typeCode);
int PressureValueToChoiceIndex(int typeCode, int value);
int PressureChoiceIndexToValue(int typeCode, int index);
int GetInterferenceChoiceTextId(CVaskInstrument* analyzer);
int InterferenceValueToChoiceIndex(CVaskInstrument* analyzer, int value);
int InterferenceChoiceIndexToValue(CVaskInstrument* analyzer, int index);
