// CConverter: the tree node of one serial bus adapter (a COM-port, USB or TCP/IP converter
// that shows up as a COM port) through which the PC talks to the analyzers of one "VASK"
// bus line. It owns the line's access object, keeps the serial settings and the converter
// type in the application profile, binds to a PC port, starts the communication and the bus
// scan and has one analyzer created per device found. It also carries the description of
// the offline analyzer that the document creates when no bus is used.
#pragma once

#include "instrument.h"

#include "serialparam.h"
#include "vaskaccess.h"

class CPort;
class CVaskInstrument;

// The settings that the communication dialog exchanges with a converter.
struct ConverterConfig {
    SerialParam serial;
    int offlineType;
    int components;
    int hasO2Sensor;
    int hasH2SSensor;
    int reserved;
    CString portName;
    int hasHeating;
    int hasOptionBoard;
    int valid;  // set by GetConfiguration; SetConfiguration takes the record only when set
    CString converterName;
};

class CConverter : public CInstrument {
    DECLARE_DYNCREATE(CConverter)
public:
    // `name` is the node's name and the converter's profile name; `type` the converter type
    // (1 to 6), whose serial defaults are applied. Online as the application's operation
    // mode is.
    explicit CConverter(const CString& name = CString(), int type = 1);
    // Drops the analyzers (which the document owns) and frees the bound port.
    ~CConverter() override;

    // The port text ("COM1:" of a port named "COM1: USB Serial", or the stored port name),
    // a blank and the node's name; the node's name alone without a port text.
    CString GetName() const override;
    // The converter name: the profile section's name. The node's name stays.
    void SetName(const CString& name);
    const CString& GetConverterName() const { return m_converterName; }

    // Switching off while online ends the access object's connection.
    void SetOnline(int on);
    int IsOnline() const { return m_online; }

    // Reads the sections "Converter\<name>" and "Program options"; the converter name
    // becomes `name`. Values outside their range count as missing. Returns 1.
    int ReadFromRegistry(const CString& name);
    void WriteToRegistry();

    // The port name into `name`; the bound port node or null.
    CPort* GetPort(CString& name) const;
    // Frees the old port, binds the new one (null: none) and takes its port name.
    void SetPort(CPort* port);

    void SetOfflineType(int type, int components, const CString& text, int hasO2Sensor,
                        int hasH2SSensor, int hasHeating, int hasOptionBoard);
    int GetOfflineType() const { return m_offlineType; }
    int GetOfflineComponents() const { return m_components; }
    const CString& GetOfflineText() const { return m_offlineText; }
    int GetOfflineO2Sensor() const { return m_hasO2Sensor; }
    int GetOfflineH2SSensor() const { return m_hasH2SSensor; }
    int GetOfflineHeating() const { return m_hasHeating; }
    int GetOfflineOptionBoard() const { return m_hasOptionBoard; }

    // Nothing for null pointers. With `save`, SetSerialParams also writes the profile.
    void GetSerialParams(SerialParam* param) const;
    void SetSerialParams(const SerialParam* param, int save);

    CvaskAccess* GetAccess() { return &m_access; }
    CObList* GetInstrumentList() { return &m_instruments; }

    // Fills the record (the reserved field excepted) and sets its valid flag.
    void GetConfiguration(ConverterConfig& config) const;
    // A valid record is taken over (the profile is not written); otherwise the profile is
    // read for the converter name and the record filled from it.
    void SetConfiguration(ConverterConfig& config);

    // Ends an earlier connection; without a port 0; offline 1; online the access object is
    // opened on the port ("VASK", the port's short name, the serial settings) with the PC at
    // bus address 14, its result is the result, and the bus is scanned whatever it was.
    int InitTheCommunication();
    // The access object's error record as the last InitTheCommunication's open of the port
    // left it (the scan after it records its own); error 0 when it opened.
    const ErrorStruct_& GetInitError() const { return m_initError; }
    // Empties the instrument list and the children (the analyzers themselves stay).
    void RemoveTheVaskInstruments();
    // One analyzer per device of the last scan, through the instrument host, in list order;
    // devices for which none is created are skipped. The first analyzer, or null.
    CVaskInstrument* EnumerateTheVaskInstruments();

private:
    void ApplySerialDefaults(int type);

    CPort* m_port;
    CString m_portName;
    int m_online;
    SerialParam m_serial;
    int m_offlineType;
    int m_components;
    int m_hasO2Sensor;
    int m_hasH2SSensor;
    CString m_offlineText;
    int m_hasHeating;
    int m_hasOptionBoard;
    CvaskAccess m_access;
    ErrorStruct_ m_initError;
    CString m_converterName;
    CObList m_instruments;
};
