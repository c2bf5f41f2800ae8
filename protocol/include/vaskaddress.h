// Bus addresses: the abstract CAddress and the Vask bus address CvaskAddress.
//
// A CvaskAddress packs device * 16 + component index (component counted from 0, shown to
// users counted from 1). Text form "%d/%d"; on the wire one byte, 0x10 doubled because it
// is the link layer's escape byte.
#pragma once

#include "utilvask_api.h"
#include "vaskfc.h"

class UTILVASK_API CAddress {
public:
    virtual ~CAddress() {}

    virtual int IsBroadcast(int device) const = 0;
    virtual int IsBroadcast() const = 0;
    virtual int IsMyself(int device) const = 0;
    virtual int IsMyself() const = 0;
    virtual int IsDevice() const = 0;
    virtual int IsValid() const = 0;
    virtual CString GetNetwork() const = 0;
    virtual void GetRange(int& first, int& last) const = 0;
    virtual void SetAddress(const CString& text) = 0;
    virtual CString GetAddressString(int device, int component) const = 0;
    virtual CString GetAddressString() const = 0;
    virtual int GetAddress() const = 0;
    virtual int GetComponent() const = 0;
    virtual void Read(unsigned char*& cursor) = 0;
    virtual void Write(unsigned char*& cursor) const = 0;
    // Two addresses are equal when their device numbers are; components are not compared.
    virtual int operator==(const CAddress& other) const;
};

class UTILVASK_API CvaskAddress : public CAddress {
public:
    static constexpr int Broadcast = 15;
    static constexpr int FirstDevice = 1;
    static constexpr int LastDevice = 12;
    static int Myself;            // the PC's own device number, 13 or 14
    static CString StrBroadcast;  // "15"
    static CString StrMyself;     // decimal text of Myself

    explicit CvaskAddress(int address = 0);
    explicit CvaskAddress(const CString& text);
    CvaskAddress(const CvaskAddress& other);
    CvaskAddress& operator=(const CvaskAddress& other);
    ~CvaskAddress() override;

    int IsBroadcast(int device) const override;
    int IsBroadcast() const override;
    int IsMyself(int device) const override;
    int IsMyself() const override;
    int IsDevice() const override;
    int IsValid() const override;
    CString GetNetwork() const override;
    void GetRange(int& first, int& last) const override;
    // Parses "device[/component]"; anything that does not parse leaves address 0.
    void SetAddress(const CString& text) override;
    // Text of a (device, component index) pair; empty when the pair is not valid.
    CString GetAddressString(int device, int component) const override;
    CString GetAddressString() const override;
    int GetAddress() const override;
    int GetComponent() const override;
    void Read(unsigned char*& cursor) override;
    void Write(unsigned char*& cursor) const override;
    using CAddress::operator==;

    static CvaskAddress GetBroadcastAddress();
    static CvaskAddress GetMyAddress();
    // Accepts 13 or 14 only (returns 1); any other number changes nothing and returns 0.
    static int SetMyAddress(int device);

protected:
    int m_address;  // device * 16 + component index

private:
    static int MakeAddress(int device, int component);
};
