// The typed members of CvaskAccess: status, measurement, logbook and version reads, the
// float values and the structured settings. Included inside the class declaration
// (vaskaccess.h); it starts and ends in the public part.
//
// Every member takes the bus address and the channel first and returns non-zero on
// success; on failure the cause is in the error record (GetLastError) and the outputs
// keep what they held.
//
//   status.cpp, versions.cpp   status, measurement, logbook and version reads
//   floatvalues.cpp            the float values (vaskvalues.h lists them)
//   settings.cpp               the structured settings (vaskrecords.h has the records)
public:
// ==== status, measurement, logbook and version reads (status.cpp, versions.cpp) =====
// Measured value of one component; served from the device list within 2 s of the
// last "k" 2 reply. Error 38 for a component the device does not have.
int GetComponentMeas(int address, int channel, VaskFloat& value);
// One value per component, from channel 0; from the device list within 2 s. A reply
// with another number of values resizes the device's component count. `values` holds
// at least as many entries as the device has components (30 at most).
int GetMeas(int address, int channel, VaskFloat* values, int makeCurrent);
// Switch states; from the device list within 2 s.
int GetSwitches(int address, int channel, ChannelSwitchStruct& record);
int GetCompSwitches(int address, int channel, CompSwitchStruct& record);
int GetExtStatus(int address, int channel, ExtStatusStruct& record);
// Lists of numbers; `list` has room for 30.
int GetFaults(int address, int channel, int* list, int& count);
int GetMaintenanceRequests(int address, int channel, int* list, int& count);
int GetFaultsBeforeTransition(int address, int channel, int* list, int& count);
int GetReportStatus(int address, int channel, int* list, int& count);
// The version record; read once per device-list entry, then served from it. A read
// that differs from the one of the same address less than 5 s before marks the
// address as one under which two devices answer (HasAddressConflict).
int GetChannelVersion(int address, int channel, VersionStruct& record);
int GetFirmwareVersions(int address, int channel, FirmwareVersionsStruct& record);
int ResetLinearCoefficients(int address, int channel);
// Remaining warm-up and zero-adjustment times in seconds.
int GetRestTime(int address, int channel, VaskFloat& value);
int GetZeroAdjustTime(int address, int channel, VaskFloat& value);
// The entry number is one byte on the wire: outside 0 to 255 it is error 30, unsent.
int GetLogEntry(int address, int channel, int entry, LogbookStruct& record);
int AckLogEntry(int address, int channel, int entry);
int ClearLog(int address, int channel);
// The measured values and lambda of channel 0, as many as the reply holds (at most 30).
int GetLambda(int address, int channel, VaskFloat* values);
// Configuration transfers; each returns after the device's 15 s pause.
int LoadUserConfig(int address, int channel);
int SaveUserConfig(int address, int channel);
int LoadDefaultConfig(int address, int channel);
int SaveDefaultConfig(int address, int channel);
int LoadBaseConfig(int address, int channel);
int GetChannelName(int address, int channel, CString& name);
int SetChannelName(int address, int channel, const CString& name);
int GetIoParameterSet(int address, int channel, int& set);
int SetIoParameterSet(int address, int channel, int set);
int GetAutocalState(int address, int channel, AutocalType& state);
// Fault masks of a download: 1, 2, 4 (and 16, 32, 64 for the option board); 0 before
// the request.
int GetDownloadFaults(int address, int channel, int& faults);
int StopDownloadPBO(int address, int channel, int& faults);
int GetDownloadFaultsPBO(int address, int channel, int& faults);
int GetParamStatus(int address, int channel, int& status);
int GetWarmUpState(int address, int channel, WarmUpStatusType& state);
int GetStartingState(int address, int channel, StartStatusType& state);
int SetStartingState(int address, int channel, const StartStatusType& state);
int GetInstrumentType(int address, int channel, QuentaType& type);
// Source of the external pressure, 0 to 15 (error 30 beyond).
int GetPressureCorrExt(int address, int channel, int& value);
int SetPressureCorrExt(int address, int channel, int value);
int GetPressureInternalValves(int address, int channel, int& a, int& b, int& c);
int SetPressureInternalValves(int address, int channel, int a, int b, int c);

// The address-conflict table that all access objects share: the scan clears the
// entries of the addresses it walks.
static void ClearVersionTableEntry(int address);
static void ResetVersionTable(int first, int last);

// ==== float values (floatvalues.cpp, listed in vaskvalues.h) ========================
// Fixed groups take one VaskFloat per value; RANGES groups an array of 30 (one value
// per measuring range, the device's range count of them), SIX groups an array of 6;
// dates a CTime. GetLimit1 to GetLimit4 and SetLimit1 to SetLimit4 with two values are
// the limit values; with a LimitStruct the limit switches. A write with a value that
// has no "%.3f" text (NaN, infinities, magnitudes from 1e35 on) is error 30, unsent.
// A date read whose fields are no date (hour or minute out of range included) gives
// the zero time.
#define VASK_DECLARE_FIXED_1  VaskFloat&
#define VASK_DECLARE_FIXED_2  VaskFloat&, VaskFloat&
#define VASK_DECLARE_FIXED_3  VaskFloat&, VaskFloat&, VaskFloat&
#define VASK_DECLARE_FIXED_4  VaskFloat&, VaskFloat&, VaskFloat&, VaskFloat&
#define VASK_DECLARE_FIXED_5  VaskFloat&, VaskFloat&, VaskFloat&, VaskFloat&, VaskFloat&
#define VASK_DECLARE_CFIXED_1 const VaskFloat&
#define VASK_DECLARE_CFIXED_2 const VaskFloat&, const VaskFloat&
#define VASK_DECLARE_CFIXED_3 const VaskFloat&, const VaskFloat&, const VaskFloat&
#define VASK_DECLARE_CFIXED_4 const VaskFloat&, const VaskFloat&, const VaskFloat&, const VaskFloat&
#define VASK_DECLARE_CFIXED_5 \
    const VaskFloat&, const VaskFloat&, const VaskFloat&, const VaskFloat&, const VaskFloat&
#define VASK_DECLARE_R_N(name, n) int Get##name(int address, int channel, VASK_DECLARE_FIXED_##n);
#define VASK_DECLARE_RW_N(name, n) \
    VASK_DECLARE_R_N(name, n) int Set##name(int address, int channel, VASK_DECLARE_CFIXED_##n);
#define VASK_DECLARE_R_1(name)  VASK_DECLARE_R_N(name, 1)
#define VASK_DECLARE_R_2(name)  VASK_DECLARE_R_N(name, 2)
#define VASK_DECLARE_R_3(name)  VASK_DECLARE_R_N(name, 3)
#define VASK_DECLARE_R_4(name)  VASK_DECLARE_R_N(name, 4)
#define VASK_DECLARE_R_5(name)  VASK_DECLARE_R_N(name, 5)
#define VASK_DECLARE_RW_1(name) VASK_DECLARE_RW_N(name, 1)
#define VASK_DECLARE_RW_2(name) VASK_DECLARE_RW_N(name, 2)
#define VASK_DECLARE_RW_3(name) VASK_DECLARE_RW_N(name, 3)
#define VASK_DECLARE_RW_4(name) VASK_DECLARE_RW_N(name, 4)
#define VASK_DECLARE_RW_5(name) VASK_DECLARE_RW_N(name, 5)
#define VASK_DECLARE_RW_RANGES(name)                            \
    int Get##name(int address, int channel, VaskFloat* values); \
    int Set##name(int address, int channel, VaskFloat* values);
#define VASK_DECLARE_RW_SIX(name)                                     \
    int Get##name(int address, int channel, VaskFloat* const values); \
    int Set##name(int address, int channel, VaskFloat* const values);
#define VASK_DECLARE_RW_DATE(name)                        \
    int Get##name(int address, int channel, CTime& time); \
    int Set##name(int address, int channel, const CTime& time);
#define VASK_DECLARE_RW_DATE0(name)  VASK_DECLARE_RW_DATE(name)
#define VASK_DECLARE_RW_DATE12(name) VASK_DECLARE_RW_DATE(name)
#define VASK_DECLARE_RW_CLOCK(name)  VASK_DECLARE_RW_DATE(name)
#define VASK_DECLARE_FLOAT_GROUP(name, number, count, order, cache, access) \
    VASK_DECLARE_##access##_##count(name)
VASK_FLOAT_GROUPS(VASK_DECLARE_FLOAT_GROUP)
#undef VASK_DECLARE_FLOAT_GROUP
#undef VASK_DECLARE_RW_CLOCK
#undef VASK_DECLARE_RW_DATE12
#undef VASK_DECLARE_RW_DATE0
#undef VASK_DECLARE_RW_DATE
#undef VASK_DECLARE_RW_SIX
#undef VASK_DECLARE_RW_RANGES
#undef VASK_DECLARE_RW_5
#undef VASK_DECLARE_RW_4
#undef VASK_DECLARE_RW_3
#undef VASK_DECLARE_RW_2
#undef VASK_DECLARE_RW_1
#undef VASK_DECLARE_R_5
#undef VASK_DECLARE_R_4
#undef VASK_DECLARE_R_3
#undef VASK_DECLARE_R_2
#undef VASK_DECLARE_R_1
#undef VASK_DECLARE_RW_N
#undef VASK_DECLARE_R_N
#undef VASK_DECLARE_CFIXED_5
#undef VASK_DECLARE_CFIXED_4
#undef VASK_DECLARE_CFIXED_3
#undef VASK_DECLARE_CFIXED_2
#undef VASK_DECLARE_CFIXED_1
#undef VASK_DECLARE_FIXED_5
#undef VASK_DECLARE_FIXED_4
#undef VASK_DECLARE_FIXED_3
#undef VASK_DECLARE_FIXED_2
#undef VASK_DECLARE_FIXED_1
// Rinse times of the first six autocal steps on the model that takes only the first
// two: sends six values, the last four 0.000.
int SetAutocalS23RinseTime1(int address, int channel, VaskFloat* const values);

// ==== structured settings (settings.cpp, records in vaskrecords.h) ==================
// Writes send every field from the arguments (nothing is read first); a field of two
// or more bits out of its range is error 30 and nothing is sent.
int GetLimit1(int address, int channel, LimitStruct& limit);
int SetLimit1(int address, int channel, const LimitStruct& limit);
int GetLimit2(int address, int channel, LimitStruct& limit);
int SetLimit2(int address, int channel, const LimitStruct& limit);
int GetLimit3(int address, int channel, LimitStruct& limit);
int SetLimit3(int address, int channel, const LimitStruct& limit);
int GetLimit4(int address, int channel, LimitStruct& limit);
int SetLimit4(int address, int channel, const LimitStruct& limit);
int GetAnalogRange(int address, int channel, int& inverted, int& bit3Flag, CurrentType& range);
int SetAnalogRange(int address, int channel, int inverted, int bit3Flag, CurrentType range);
// Relay and input function codes, entry 0 for relay (input) 1. The standard relays
// are as many as the device has (its relay count, set by the read; 8 at most). The
// option-card relays and inputs take 8, the standard inputs 6: a read fills them with
// the codes the device sent and zeros after them, and a write of a list that the last
// read got short is refused with error 37.
int GetRelayOutputs(int address, int channel, int* codes);
int SetRelayOutputs(int address, int channel, int* codes);
int GetExtRelayOutputs(int address, int channel, int* codes);
int SetExtRelayOutputs(int address, int channel, int* codes);
int GetBinaryInputs(int address, int channel, int* codes);
int SetBinaryInputs(int address, int channel, int* codes);
int GetExtBinaryInputs(int address, int channel, int* codes);
int SetExtBinaryInputs(int address, int channel, int* codes);
// Current measuring range 1 to 4 and autorange; kept in the device list.
int GetMeasRange(int address, int channel, int& range, int& autorange);
int SetMeasRange(int address, int channel, int range, int autorange);
int GetParameterSet(int address, int channel, int& set);
int SetParameterSet(int address, int channel, int& set);
int GetHeadHeating(int address, int channel, int& on, TempType& temperature);
int SetHeadHeating(int address, int channel, int on, TempType temperature);
int GetAutocalMode(int address, int channel, int& autocal, int& startOnInput, int& startOnCycle,
                   int& autocalCheck);
int SetAutocalMode(int address, int channel, int autocal, int startOnInput, int startOnCycle,
                   int autocalCheck);
// 12 steps; as the fixed lists above.
int GetAutocalSteps(int address, int channel, ControlType* steps);
int SetAutocalSteps(int address, int channel, ControlType* steps);
int GetCompStage(int address, int channel, int& stage);
int SetCompStage(int address, int channel);
int GetTempCorrection(int address, int channel, ParamSetStruct& flags);
int SetTempCorrection(int address, int channel, const ParamSetStruct& flags);
int GetPressureCorr(int address, int channel, CorrectionStruct1& corr);
int SetPressureCorr(int address, int channel, const CorrectionStruct1& corr);
int GetLateralGasCorr(int address, int channel, CorrectionStruct2& corr);
int SetLateralGasCorr(int address, int channel, const CorrectionStruct2& corr);
int GetLateralGasCorr2(int address, int channel, CorrectionStruct2& corr);
int SetLateralGasCorr2(int address, int channel, const CorrectionStruct2& corr);
int GetLateralGasCorr3(int address, int channel, CorrectionStruct2& corr);
int SetLateralGasCorr3(int address, int channel, const CorrectionStruct2& corr);
int GetLateralGasCorr4(int address, int channel, CorrectionStruct2& corr);
int SetLateralGasCorr4(int address, int channel, const CorrectionStruct2& corr);
int GetAlarmState(int address, int channel, ParamSetStruct& flags);
int SetAlarmState(int address, int channel, const ParamSetStruct& flags);
int GetControllerState(int address, int channel, int& state1, int& state2);
int SetControllerState(int address, int channel, int state1, int state2);
int GetMeasStore(int address, int channel, MeasStoreType& onFunctionCheck, MeasStoreType& onFault);
int SetMeasStore(int address, int channel, MeasStoreType onFunctionCheck, MeasStoreType onFault);
int GetValves(int address, int channel, ValveStruct& valves);
int SetValves(int address, int channel, const ValveStruct& valves);
int GetAsyncParameters(int address, int channel, AsyncStruct& params);
int GetPump(int address, int channel, int& syncInput, int& pumpOnMeas, int& pumpOnSetpoint);
int SetPump(int address, int channel, int syncInput, int pumpOnMeas, int pumpOnSetpoint);
int GetCompensationComponent(int address, int channel, CompStruct& comp);
int SetCompensationComponent(int address, int channel, const CompStruct& comp);
int GetCompensationComponent3(int address, int channel, CompStruct& comp);
int SetCompensationComponent3(int address, int channel, const CompStruct& comp);
int GetUnit(int address, int channel, SetUnitType& unit);
int SetUnit(int address, int channel, SetUnitType unit);
int GetHeating(int address, int channel, int& on, int& temperature);
int SetHeating(int address, int channel, int on, int temperature);
int GetOptionCard(int address, int channel, OptionCardType& card);

private:
// ---- shapes of the typed members ----
CDeviceData* TypedCacheDevice(int address);
int ReadFloatGroup(int number, int address, int channel, VaskFloat* const* args);
int WriteFloatGroup(int number, int address, int channel, const VaskFloat* const* args);
int ReadFloatList(int number, int address, int channel, VaskFloat* values);
int WriteFloatList(int number, int address, int channel, const VaskFloat* values, int given);
int ReadDate(int number, int address, int channel, CTime& time);
int WriteDate(int number, int address, int channel, const CTime& time);
int ReadSetting(int function, int address, int channel, const char* rules, int* fields);
int WriteSetting(int function, int address, int channel, const char* layout, const int* fields);
int ReadCodeList(int function, int address, int channel, int* codes);
int WriteCodeList(int function, int address, int channel, const int* codes);
int ReadCompensation(int function, int address, int channel, CompStruct& comp);
int WriteCompensation(int function, int address, int channel, const CompStruct& comp);
CPCvaskMessage* Query(char command, int function, int address, int channel, DWORD timeout,
                      int& result);
int ReplyIncomplete(char command, int function);
int ReadFirstFloat(int function, int address, int channel, VaskFloat& value);
void CheckVersionConflict(int address, const VersionStruct& record);
// Fixed code lists whose last read brought fewer codes than the list holds, per
// address, channel and list (option-card relays, standard and option-card inputs,
// autocal steps): writing such a list back would send codes the device never gave.
bool IsListShort(int function, int address, int channel) const;
void SetListShort(int function, int address, int channel, bool isShort);
unsigned char m_shortLists[16][16] = {};

public:
