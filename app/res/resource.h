// Resource ids of the program: the numbers every resource script, data file and source of
// the program uses. #defines only: the resource scripts include this header, and windres
// takes nothing else from a header. The framework's own ids come from vaskfc_ids.h.
#pragma once

#include "vaskfc_ids.h"

// ---- Frames, menus, icons, bitmaps ------------------------------------------------------

// Main menu, accelerators, tool bar and program icon; the string is the title format.
#define IDR_MAINFRAME 2
// Menu of the instrument data mode; the string is its title format.
#define IDR_INSTRUMENT_DATA 119
// Pictures of the progress dialog: the network search and every other operation.
#define IDB_NETWORK_SEARCH 144
#define IDB_OPERATION      148
// Tray icons; the string of the same id is the icon's tip.
#define IDI_STATUS_NORMAL  191
#define IDI_STATUS_ERROR   192
#define IDI_STATUS_WARNING 193

// ---- Commands of the main menu (frame) -----------------------------------------------

#define ID_LINK_INSTRUMENT             32771
#define ID_CURVE_VIEW                  32772
#define ID_DIAGNOSTIC_VALUES           32773
#define ID_EDIT_INSTRUMENT_DATA        32776
#define ID_PROGRAM_CONFIGURATION       32777
#define ID_PRINTER_CONFIGURATION       32778
#define ID_COMMUNICATION_CONFIGURATION 32779
#define ID_CLOSE_PROGRAM               32780
#define ID_USER_HELP                   32781
#define ID_SET_PASSWORD                32782
#define ID_ADJUSTMENT                  32783
#define ID_PARAMETERS                  32784
#define ID_CONFIGURATION               32785
#define ID_PROTOCOL_VALUES             32790
#define ID_PRINT_FORMS                 32799
#define ID_PROTOCOL_PARAMETERS         32807
#define ID_INSTRUMENT_OVERVIEW         32824
#define ID_DRIFT_VALUES                32828
#define ID_RESET_INSTRUMENT            40008
#define ID_RETURN_TO_MAIN_MENU         40014
// The external help files take the commands from here on, one per file (four).
#define ID_EXTERNAL_HELP_FIRST 32815
#define ID_EXTERNAL_HELP_LAST  32818

// ---- Commands of the instrument data menu (instrument view) -------------------------

#define ID_LOAD_FROM_DISK      40001
#define ID_SAVE_TO_DISK        40002
#define ID_SAVE_TO_DISK_AS     32825
#define ID_CREATE_NEW_DATA_SET 40004
#define ID_FACTORY_SETTINGS    32786
#define ID_LOAD_PC_DATA        32826
#define ID_SAVE_PC_DATA        32827
#define ID_LOAD_USER_DATA      32794
#define ID_SAVE_USER_DATA      32795
#define ID_LOAD_FACTORY_DATA   32796
#define ID_PRINT_PARAMETERS    40009
#define ID_COMPARE_OFFLINE     32789
#define ID_TRANSFER_OFFLINE    32797
#define ID_DEVICE_CLOCK        32819
#define ID_DOWNLOAD_MAINBOARD  32792
#define ID_DOWNLOAD_PROFIBUS   32833

// ---- Status-bar panes: the string of each id sets the pane's width ------------------

#define ID_INDICATOR_ACCESS     10004
#define ID_INDICATOR_ONLINE     10006
#define ID_INDICATOR_TIME       10012
#define ID_INDICATOR_INSTRUMENT 10013
#define ID_INDICATOR_ERR        10046
#define ID_INDICATOR_CTRL       10047
#define ID_INDICATOR_WART       10048
#define ID_INDICATOR_PROT       10049
#define ID_INDICATOR_LIM        10128
#define ID_INDICATOR_REMOTE     10149

// ---- Strings ----------------------------------------------------------------------------

// Access levels 0 to 3: display text (base + level) and profile entry name (base + level).
#define IDS_ACCESS_LEVEL_BASE 5001
#define IDS_ACCESS_ENTRY_BASE 10001

// Formats and single texts.
#define IDS_COMPONENT_FALLBACK   10008
#define IDS_DATE_FORMAT          10037
#define IDS_VALUE_FORMAT         10052
#define IDS_COMPONENT_LABEL      10087
#define IDS_VASK_COMMAND         10110
#define IDS_SELECT_GRID_HEADINGS 10131
#define IDS_GATEWAY_INIT_ERROR   10142
#define IDS_OLD_QUENTA_FILE      10180
#define IDS_FILE_READ_ERROR      12323
#define IDS_EXPANDED_ENTRY       15121
#define IDS_COMPONENTS_SECTION   15220
#define IDS_COMPONENT_ENTRY      15221
#define IDS_UNKNOWN              20001

// Trace channels: base + channel gives the channel's text (the program uses channel 0).
#define IDS_TRACE_CHANNEL_BASE 1017

// The network list file: its name, its two lists, the key prefix of converters; the
// profile section and value of the current network.
#define IDS_NETWORK_FILE      12326
#define IDS_NETWORKLIST       12327
#define IDS_GATEWAYS          12328
#define IDS_CONVERTER_PREFIX  12329
#define IDS_PROGRAM_OPTIONS   15111
#define IDS_NETWORK_ENTRY     15124

// Results of device operations: the failure text of each operation (tables/operations.def),
// as a rule a read and the write after it, in the order of the device's value groups
// (18000-18135), settings (18200-18266) and commands (18600-18623).
#define IDS_ERR_READ_MEASUREMENT_LOWER           18000
#define IDS_ERR_WRITE_MEASUREMENT_LOWER          18001
#define IDS_ERR_READ_MEASUREMENT_UPPER           18002
#define IDS_ERR_WRITE_MEASUREMENT_UPPER          18003
#define IDS_ERR_READ_SLOPE_GAS                   18004
#define IDS_ERR_WRITE_SLOPE_GAS                  18005
#define IDS_ERR_READ_NULL_GAS                    18008
#define IDS_ERR_WRITE_NULL_GAS                   18009
#define IDS_ERR_READ_AUTOCAL_CYCLE               18010
#define IDS_ERR_WRITE_AUTOCAL_CYCLE              18011
#define IDS_ERR_READ_AUTOCAL_RINSE_TIME1         18012
#define IDS_ERR_WRITE_AUTOCAL_RINSE_TIME1        18013
#define IDS_ERR_READ_AUTOCAL_RINSE_TIME2         18014
#define IDS_ERR_WRITE_AUTOCAL_RINSE_TIME2        18015
#define IDS_ERR_READ_LIMIT1_VALUES               18016
#define IDS_ERR_WRITE_LIMIT1_VALUES              18017
#define IDS_ERR_READ_LIMIT2_VALUES               18018
#define IDS_ERR_WRITE_LIMIT2_VALUES              18019
#define IDS_ERR_READ_INTEGRATION_TIME            18020
#define IDS_ERR_WRITE_INTEGRATION_TIME           18021
#define IDS_ERR_READ_AUTORANGE_LIMITS            18022
#define IDS_ERR_WRITE_AUTORANGE_LIMITS           18023
#define IDS_ERR_READ_PUMP_POWER                  18024
#define IDS_ERR_WRITE_PUMP_POWER                 18025
#define IDS_ERR_WRITE_DATE_O2                    18027
#define IDS_ERR_READ_DATE_NITROXY                18028
#define IDS_ERR_WRITE_DATE_NITROXY               18029
#define IDS_ERR_READ_DATE                        18030
#define IDS_ERR_WRITE_DATE                       18031
#define IDS_ERR_READ_FLOW_SETTING                18032
#define IDS_ERR_WRITE_FLOW_SETTING               18033
#define IDS_ERR_READ_AIR_PRESSURE                18034
#define IDS_ERR_WRITE_AIR_PRESSURE               18035
#define IDS_ERR_READ_ANALOG_OUTPUT               18036
#define IDS_ERR_WRITE_ANALOG_OUTPUT              18037
#define IDS_ERR_READ_FREQUENCY                   18040
#define IDS_ERR_WRITE_FREQUENCY                  18041
#define IDS_ERR_READ_REDUCER                     18042
#define IDS_ERR_WRITE_REDUCER                    18043
#define IDS_ERR_READ_PHASE                       18044
#define IDS_ERR_WRITE_PHASE                      18045
#define IDS_ERR_READ_FAULT_SIGNAL_DURATION       18046
#define IDS_ERR_WRITE_FAULT_SIGNAL_DURATION      18047
#define IDS_ERR_READ_ADJUST_TOLERANCE            18048
#define IDS_ERR_WRITE_ADJUST_TOLERANCE           18049
#define IDS_ERR_READ_SHOCK_COMPENSATION          18050
#define IDS_ERR_WRITE_SHOCK_COMPENSATION         18051
#define IDS_ERR_READ_EXT_PRESSURE_RANGE          18052
#define IDS_ERR_WRITE_EXT_PRESSURE_RANGE         18053
#define IDS_ERR_READ_LATERAL_GAS_PARAMS          18054
#define IDS_ERR_WRITE_LATERAL_GAS_PARAMS         18055
#define IDS_ERR_READ_SENSOR_TIMES                18056
#define IDS_ERR_WRITE_SENSOR_TIMES               18057
#define IDS_ERR_READ_CHARACT_END_VALUE           18082
#define IDS_ERR_WRITE_CHARACT_END_VALUE          18083
#define IDS_ERR_READ_DEVIATIONS                  18084
#define IDS_ERR_READ_LATERAL_GAS_PARAMS2         18086
#define IDS_ERR_WRITE_LATERAL_GAS_PARAMS2        18087
#define IDS_ERR_READ_LIMIT3_VALUES               18088
#define IDS_ERR_WRITE_LIMIT3_VALUES              18089
#define IDS_ERR_READ_LIMIT4_VALUES               18090
#define IDS_ERR_WRITE_LIMIT4_VALUES              18091
#define IDS_ERR_READ_AUTOCAL_CHECK_TOLERANCES    18092
#define IDS_ERR_WRITE_AUTOCAL_CHECK_TOLERANCES   18093
#define IDS_ERR_READ_LATERAL_GAS_PARAMS3         18094
#define IDS_ERR_WRITE_LATERAL_GAS_PARAMS3        18095
#define IDS_ERR_READ_LATERAL_GAS_PARAMS4         18096
#define IDS_ERR_WRITE_LATERAL_GAS_PARAMS4        18097
#define IDS_ERR_READ_LATERAL_GAS_CONCENTRATION1  18098
#define IDS_ERR_WRITE_LATERAL_GAS_CONCENTRATION1 18099
#define IDS_ERR_READ_LATERAL_GAS_CONCENTRATION2  18100
#define IDS_ERR_WRITE_LATERAL_GAS_CONCENTRATION2 18101
#define IDS_ERR_READ_LATERAL_GAS_CONCENTRATION3  18102
#define IDS_ERR_WRITE_LATERAL_GAS_CONCENTRATION3 18103
#define IDS_ERR_READ_LATERAL_GAS_CONCENTRATION4  18104
#define IDS_ERR_WRITE_LATERAL_GAS_CONCENTRATION4 18105
#define IDS_ERR_READ_LATERAL_GAS_COEFF1          18106
#define IDS_ERR_WRITE_LATERAL_GAS_COEFF1         18107
#define IDS_ERR_READ_LATERAL_GAS_COEFF2          18108
#define IDS_ERR_WRITE_LATERAL_GAS_COEFF2         18109
#define IDS_ERR_READ_LATERAL_GAS_COEFF3          18110
#define IDS_ERR_WRITE_LATERAL_GAS_COEFF3         18111
#define IDS_ERR_READ_LATERAL_GAS_COEFF4          18112
#define IDS_ERR_WRITE_LATERAL_GAS_COEFF4         18113
#define IDS_ERR_READ_FAULT_SIGNAL_THRESHOLD      18116
#define IDS_ERR_WRITE_FAULT_SIGNAL_THRESHOLD     18117
#define IDS_ERR_READ_SET_POINTS_PRESSURE         18124
#define IDS_ERR_READ_PRESSURE_TOLERANCES         18126
#define IDS_ERR_WRITE_PRESSURE_TOLERANCES        18127
#define IDS_ERR_READ_DRIFT_VALUES                18128
#define IDS_ERR_WRITE_DRIFT_VALUES               18129
#define IDS_ERR_WRITE_SETPOINT_O2                18130
#define IDS_ERR_READ_SETPOINT_O2                 18131
#define IDS_ERR_WRITE_DATE_H2S                   18132
#define IDS_ERR_WRITE_SETPOINT_H2S               18134
#define IDS_ERR_READ_SETPOINT_H2S                18135
#define IDS_ERR_READ_LIMIT1_SWITCHES             18200
#define IDS_ERR_WRITE_LIMIT1_SWITCHES            18201
#define IDS_ERR_READ_LIMIT2_SWITCHES             18202
#define IDS_ERR_WRITE_LIMIT2_SWITCHES            18203
#define IDS_ERR_READ_ANALOG_RANGE                18204
#define IDS_ERR_WRITE_ANALOG_RANGE               18205
#define IDS_ERR_READ_RELAY_OUTPUTS               18206
#define IDS_ERR_WRITE_RELAY_OUTPUTS              18207
#define IDS_ERR_READ_EXT_RELAY_OUTPUTS           18208
#define IDS_ERR_WRITE_EXT_RELAY_OUTPUTS          18209
#define IDS_ERR_READ_BINARY_INPUTS               18210
#define IDS_ERR_WRITE_BINARY_INPUTS              18211
#define IDS_ERR_READ_EXT_BINARY_INPUTS           18212
#define IDS_ERR_WRITE_EXT_BINARY_INPUTS          18213
#define IDS_ERR_READ_MEAS_RANGE                  18214
#define IDS_ERR_WRITE_MEAS_RANGE                 18215
#define IDS_ERR_READ_AUTOCAL_MODE                18220
#define IDS_ERR_WRITE_AUTOCAL_MODE               18221
#define IDS_ERR_READ_AUTOCAL_STEPS               18222
#define IDS_ERR_WRITE_AUTOCAL_STEPS              18223
#define IDS_ERR_READ_COMP_STAGE                  18224
#define IDS_ERR_WRITE_COMP_STAGE                 18225
#define IDS_ERR_READ_PRESSURE_CORR               18228
#define IDS_ERR_WRITE_PRESSURE_CORR              18229
#define IDS_ERR_READ_LATERAL_GAS_CORR            18230
#define IDS_ERR_WRITE_LATERAL_GAS_CORR           18231
#define IDS_ERR_READ_MEAS_STORE                  18236
#define IDS_ERR_WRITE_MEAS_STORE                 18237
#define IDS_ERR_READ_PUMP                        18242
#define IDS_ERR_WRITE_PUMP                       18243
#define IDS_ERR_READ_COMPENSATION_COMPONENT      18244
#define IDS_ERR_WRITE_COMPENSATION_COMPONENT     18245
#define IDS_ERR_READ_UNIT                        18246
#define IDS_ERR_WRITE_UNIT                       18247
#define IDS_ERR_READ_HEATING                     18248
#define IDS_ERR_WRITE_HEATING                    18249
#define IDS_ERR_READ_LIMIT3_SWITCHES             18250
#define IDS_ERR_WRITE_LIMIT3_SWITCHES            18251
#define IDS_ERR_READ_LIMIT4_SWITCHES             18252
#define IDS_ERR_WRITE_LIMIT4_SWITCHES            18253
#define IDS_ERR_READ_OPTION_CARD                 18254
#define IDS_ERR_READ_LATERAL_GAS_CORR2           18255
#define IDS_ERR_WRITE_LATERAL_GAS_CORR2          18256
#define IDS_ERR_READ_LATERAL_GAS_CORR3           18257
#define IDS_ERR_WRITE_LATERAL_GAS_CORR3          18258
#define IDS_ERR_READ_LATERAL_GAS_CORR4           18259
#define IDS_ERR_WRITE_LATERAL_GAS_CORR4          18260
#define IDS_ERR_READ_COMPENSATION_COMPONENT3     18261
#define IDS_ERR_WRITE_COMPENSATION_COMPONENT3    18262
#define IDS_ERR_READ_PRESSURE_CORR_EXT           18263
#define IDS_ERR_WRITE_PRESSURE_CORR_EXT          18264
#define IDS_ERR_READ_PRESSURE_INTERNAL_VALVES    18265
#define IDS_ERR_WRITE_PRESSURE_INTERNAL_VALVES   18266
#define IDS_ERROR                                18500
#define IDS_ERR_RESET                            18600
#define IDS_ERR_PAUSE                            18601
#define IDS_ERR_STANDBY                          18602
#define IDS_ERR_MEASURE                          18603
#define IDS_ERR_ADJUST_ZERO_POINT                18604
#define IDS_ERR_ADJUST_SLOPE                     18605
#define IDS_ERR_ADJUST_TEMP_COEFFICIENT          18609
#define IDS_ERR_AUTOCAL                          18613
#define IDS_ERR_ADJUST_PHASE                     18614
#define IDS_ERR_ZERO_O2_SENSOR                   18615
#define IDS_ERR_ADJUST_ANALOG_OUTPUT             18616
#define IDS_ERR_ADJUST_ANALOG_INPUT              18617
#define IDS_ERR_AUTOCAL_CHECK                    18618
#define IDS_ERR_RISE_O2_SENSOR                   18621
#define IDS_ERR_ZERO_H2S_SENSOR                  18622
#define IDS_ERR_RISE_H2S_SENSOR                  18623
#define IDS_SUCCESSFUL                           18800
#define IDS_NOT_TRANSFERRED                      18801

// Two-state value texts.
#define IDS_TWO_STATE_ON  56002
#define IDS_TWO_STATE_OFF 56003

// Choice lists: items ended by a line feed, except where the data file says otherwise.
#define IDS_CURRENT_TYPES    10061
#define IDS_MEAS_STORE_TYPES 10070
// Pressure compensation kinds; + model type (1 to 8) gives the model's own list.
#define IDS_PRESSURE_TYPES 11000
// Interference correction kinds; + model type gives the model's own list (30179: Sindor 6
// with more than one component).
#define IDS_GAS_CORRECTION_TYPES 30170
// Autocal step names by model type, comma-separated.
#define IDS_AUTOCAL_STEPS_BASE 30150

// Texts by code: base + code.
#define IDS_RELAY_FUNCTION_BASE 13000  // relay functions 0 to 63
#define IDS_INPUT_FUNCTION_BASE 13200  // binary-input functions 0 to 50
#define IDS_NOT_YET_DEFINED     13300  // a relay or input function beyond the table
#define IDS_MODEL_NAME_BASE     15100  // analyzer type codes 0 to 10
#define IDS_GAS_BASE            19000  // gas of quantity codes 1 to 50
#define IDS_UNIT_BASE           19499  // units 1 to 57
#define IDS_UNIT_S23_BASE       19600  // unit setting of a Sindor 23, 0 to 5
#define IDS_UNIT_P64_BASE       19650  // unit setting of a Parvel 64, 0 to 3
#define IDS_DEVICE_STATE_BASE   19700  // channel state 0 to 25
#define IDS_WARMUP_STATUS_BASE  19850  // warm-up phase 1 to 9
#define IDS_START_STATUS_BASE   19880  // starting state 0 to 4
#define IDS_STATE_CLASS_BASE    19800  // classes of a channel's messages, 0 to 5
#define IDS_CONVERTER_TYPE_BASE 30000  // converter types 1 to 6; 30000 names the bus

// The analyzers' parameter catalogue (tables/parameters.def); the catalogue's data files
// name the ids as numbers.
#define IDS_GROUP_NAME_BASE     16000  // group names: base + the group's member position - 1
#define IDS_PARAMETER_KEY_BASE  15000  // group titles and entry keys: base + 7 to base + 250
#define IDS_PARAMETER_NAME_BASE 17000  // entry names and two-state texts: base + 0 to 200
// The titles of the sensor groups, whose date entries show no text for the value 0.
#define IDS_O2_SENSOR_TITLE  15211
#define IDS_H2S_SENSOR_TITLE 15250

// ---- The progress dialog and the clock dialog --------------------------------------------

// The progress dialog in front of long device operations (no caption).
#define IDD_DLG_MESSAGE      143
#define IDC_MESSAGE_PICTURE  1102
#define IDC_MESSAGE_PROGRESS 1110
#define IDC_MESSAGE_TEXT     1151
#define IDC_MESSAGE_LOW      1191
#define IDC_MESSAGE_HIGH     1192
// "Clock Settings": the analyzer's date and time.
#define IDD_CLOCK        172
#define IDC_CLOCK_DAY    1194
#define IDC_CLOCK_HOUR   1195
#define IDC_CLOCK_MINUTE 1196
#define IDC_CLOCK_YEAR   1197
#define IDC_CLOCK_MONTH  1198

// ---- Main frame, access levels and login ------------------------------------------------

// Dialogs of the login and the password change, and the print-form selection.
#define IDD_ACCESS_LEVEL    102
#define IDD_ACCESS_PASSWORD 103
#define IDD_SET_PASSWORD    138
#define IDD_PRINT_FORM      164
// Access level radio buttons (one group), the password fields and the form list.
#define IDC_LEVEL_MAINTENANCE 1000
#define IDC_LEVEL_SPECIALIST  1001
#define IDC_LEVEL_FACTORY     1098
#define IDC_ACCESS_PASSWORD   1002
#define IDC_PASSWORD_LEVEL    1046
#define IDC_PASSWORD_OLD      1049
#define IDC_PASSWORD_NEW      1051
#define IDC_PASSWORD_CONFIRM  1053
#define IDC_PRINT_FORM_LIST   1173

// The frame's texts.
#define IDS_CURVE_VIEW_CAPTION     204
#define IDS_REMOTE_FAILED          10148
#define IDS_ONLINE                 38000
#define IDS_STATUS_TIME_FORMAT     38001
#define IDS_ADDRESS_CONFLICT       38002
#define IDS_REMOTE_LOST            38003
#define IDS_STOP_PROTOCOL_FOR_LINK 38004
#define IDS_PROTOCOL_NOT_STARTED   38005
#define IDS_EXIT_QUESTION          38006
#define IDS_PROTOCOL_VALUES_MENU   38007
#define IDS_STOP_PROTOCOL_MENU     38008
#define IDS_PROTOCOL_ON            38009
#define IDS_PROTOCOL_OFF           38010
#define IDS_PROTOCOL_TIME_FORMAT   38011
#define IDS_LOGIN_HELP_LINE        38012
#define IDS_NO_PRINTER             38023
#define IDS_HELP_NOT_FOUND         38024
// The login's texts and the profile section of the passwords.
#define IDS_NOT_ALLOWED_TO_USE     38013
#define IDS_PASSWORDS_DIFFER       38014
#define IDS_PASSWORD_CHANGE_DENIED 38015
#define IDS_ACCESS_SECTION         38016
// The print forms: the four print types (their names are the profile values of their
// forms), the profile section and its folder value, and the designer's texts.
#define IDS_PRINT_TYPE_FIRST       12501
#define IDS_PRINT_TYPE_LAST        12504
#define IDS_PRINT_FORMS_SECTION    38017
#define IDS_PRINT_FORMS_LOCATION   38018
#define IDS_FORM_FILE_MISSING      38019
#define IDS_PRINT_INIT_FAILED      38020
#define IDS_PRINT_MODULE_FAILED    38021
#define IDS_DESIGNER_TITLE         38022
// The curve sheet's curve page (its other ids: the curve sheet block at the end).
#define IDD_CURVE_PAGE 151

// ---- Network settings, communication configuration, component definition and instrument
// overview dialogs ------------------------------------------------------------------------

#define IDD_DEFINE_COMPONENTS   189
#define IDD_INSTRUMENT_OVERVIEW 195
#define IDD_COMM_CONFIG         197
#define IDD_NETWORK_SETTINGS    198
#define IDD_NEW_NETWORK         199
#define IDD_NEW_GATEWAY         200
// "Communication Configuration": the two modes (one radio group), the offline analyzer and
// the network.
#define IDC_OFFLINE_MODE     1024
#define IDC_ONLINE_MODE      1026
#define IDC_INSTRUMENT_TYPE  1040
#define IDC_O2_SENSOR        1133
#define IDC_COMPONENT_COUNT  1199
#define IDC_HEATING          1241
#define IDC_OPTIONAL_BOARD   1242
#define IDC_COMM_NETWORK     1250
#define IDC_NETWORK_SETTINGS 1251
#define IDC_H2S_SENSOR       1347
// "Network settings": the network list, the four converter rows (type and port of row r at
// IDC_CONVERTER_TYPE_1 + 2 (r - 1) and IDC_CONVERTER_PORT_1 + 2 (r - 1)), the gateways.
#define IDC_NETWORK_NEW      1253
#define IDC_NETWORK_DELETE   1254
#define IDC_GATEWAY_NEW      1256
#define IDC_GATEWAY_DELETE   1257
#define IDC_GATEWAY_LIST     1259
#define IDC_NETWORK_LIST     1268
#define IDC_NETWORK_APPLY    1269
#define IDC_CONVERTER_TYPE_1 1299
#define IDC_CONVERTER_PORT_1 1300
#define IDC_CONVERTER_TYPE_2 1301
#define IDC_CONVERTER_PORT_2 1302
#define IDC_CONVERTER_TYPE_3 1303
#define IDC_CONVERTER_PORT_3 1304
#define IDC_CONVERTER_TYPE_4 1305
#define IDC_CONVERTER_PORT_4 1306
#define IDC_GATEWAY_GROUP    1330
// "Define a new network" and "Define a new gateway".
#define IDC_NEW_NETWORK_NAME 1225
#define IDC_GATEWAY_ADDRESS  1261
// "Define components" (component n at IDC_COMPONENT_NAME_1 + n - 1) and "Instrument
// Overview" (the grid takes the place of its frame).
#define IDC_COMPONENT_NAME_1 1232
#define IDC_COMPONENT_NAME_2 1233
#define IDC_COMPONENT_NAME_3 1234
#define IDC_COMPONENT_NAME_4 1235
#define IDC_OVERVIEW_NETWORK 1262
#define IDC_OVERVIEW_GRID    1270

// Texts of these dialogs. The offline models' names (base + type code) and the two limits of
// the component count are the texts that the "Create New Data" dialog shows as well.
#define IDS_MAX_COMPONENTS         10118
#define IDS_MIN_COMPONENTS         10119
#define IDS_OFFLINE_MODEL_BASE     30100
#define IDS_NO_CHOICE              38100
#define IDS_ENTER_NETWORK_NAME     38101
#define IDS_SAVE_NETWORK_CHANGES   38102
#define IDS_DELETE_NETWORK         38103
#define IDS_DELETE_GATEWAY         38104
#define IDS_PORT_NOT_RS232         38105
#define IDS_PORT_NOT_USB           38106
#define IDS_PORT_NOT_TCPIP         38107
#define IDS_NETWORK_NAME_INVALID   38108
#define IDS_NETWORK_EXISTS         38109
#define IDS_MAX_COMPONENTS_SENSORS 38110
#define IDS_CONNECT_ONE_INSTRUMENT 38111
#define IDS_NETWORK_NAME_TOO_LONG  38112
// The analyzer models' own entry texts (the instrument model's tables/models.def): names
// beside the catalogue's (17000-17200), keys beside its keys (15007-15250).
#define IDS_CHOPPER_FREQUENCY     17116
#define IDS_QUENTA_TYPE           17117
#define IDS_CHOPPER_FREQUENCY_KEY 15152
#define IDS_INSTRUMENT_TYPE_KEY   15153
// ---- Printing through the report engine ---------------------------------------------------

// The text of the progress box, and the strings that bracket the print types.
#define IDS_PRINTING_BOX_TEXT     10086
#define IDS_PRINT_TYPE_START      12500
#define IDS_PRINT_TYPE_END        12505
// The names that the forms may use: variables, then fields (the report engine's names).
#define IDS_VAR_COMPANY           14500
#define IDS_VAR_DEPARTMENT        14501
#define IDS_VAR_PROJECT           14502
#define IDS_VAR_DIAGRAM           14503
#define IDS_VAR_INSTRUMENT        14504
#define IDS_VAR_SERIAL_NUMBER     14505
#define IDS_VAR_HARDWARE_ID       14506
#define IDS_VAR_ORDER_NUMBER      14507
#define IDS_VAR_FIRMWARE_NUMBER   14508
#define IDS_VAR_SOFTWARE_VERSION  14509
#define IDS_VAR_PAGE              14510
#define IDS_FIELD_PARAMETER_GROUP 14700
#define IDS_FIELD_PARAMETER       14701
#define IDS_FIELD_VALUE           14702
#define IDS_FIELD_TIMESTAMP       14703
#define IDS_FIELD_MESSAGE         14704
#define IDS_FIELD_CLASS           14705
#define IDS_FIELD_ACKNOWLEDGED    14706
#define IDS_FIELD_COMPONENT       14707
#define IDS_FIELD_ZERO_DEV        14708
#define IDS_FIELD_ZERO_DEV_MAX    14709
#define IDS_FIELD_SPAN_DEV        14710
#define IDS_FIELD_SPAN_DEV_MAX    14711
#define IDS_FIELD_CALIB_RESERVE   14712
#define IDS_FIELD_CUR_VALUE       14713
#define IDS_FIELD_CUR_RANGE       14714
#define IDS_FIELD_ANALOG_OUTPUT   14715
#define IDS_FIELD_MEAS_SIZE       14716
#define IDS_VAR_FW_ADAPTER        14717
#define IDS_VAR_FW_ADAPTER_BOOT   14718
#define IDS_VAR_FW_OPTION         14719
#define IDS_VAR_FW_OPTION_BOOT    14720
#define IDS_VAR_FW_MOTHER         14721
#define IDS_VAR_FW_MOTHER_BOOT    14722
#define IDS_FIELD_SPAN_MR1        14723
#define IDS_FIELD_SPAN_MR2        14724
#define IDS_FIELD_SPAN_MR3        14725
#define IDS_FIELD_SPAN_MR4        14726
#define IDS_FIELD_COMPONENT2      14727
#define IDS_FIELD_ZERO_DEV2       14728
#define IDS_VAR_HAS_CALIB_RESERVE 14729
// The messages of a print, the options dialog's text, and the profile section of the header.
#define IDS_PRINTER_NOT_RESPONDING 38060
#define IDS_PRINT_ERROR_CODE       38061
#define IDS_PRINT_OPTIONS_TEXT     38062
#define IDS_COMPANY_SECTION        38063
#define IDS_COMPANY_ENTRY          38064
#define IDS_DEPARTMENT_ENTRY       38065
#define IDS_PROJECT_ENTRY          38066

// The parameter grids of the analyzers' sheets: their headings and row texts.
#define IDS_GRID_RANGE_ROW              10031
#define IDS_RANGE_GRID_HEADINGS         10051
#define IDS_LIMITS_GRID_HEADINGS        10054
#define IDS_ALARM_ON_CHOICES            10055
#define IDS_TIME_CONSTANT_HEADINGS      10056
#define IDS_NOISE_FILTER_HEADINGS       10057
#define IDS_INTERFERENCE_HEADINGS       10060
#define IDS_SAMPLE_POINT_HEADINGS       10064
#define IDS_SINDOR23_INTERFERENCE_UPPER 10156
#define IDS_INTERFERENCE_LOWER          10157
#define IDS_SINDOR23_INTERFERENCE_LOWER 10158
#define IDS_PRESSURE_GRID_UPPER         10159
#define IDS_PRESSURE_GRID_LOWER         10160
// ---- Document: tree, bus scans, parameter-set files and "Create New Data" -----------------

// The pictures of the tree's nodes, 16 x 16 each; the last six are the state overlays 1 to 6.
#define IDB_TREE_NODES 132
// "Create New Data": the model, its components and options of a blank offline data set.
#define IDD_NEW_DATA         142
#define IDC_NEW_DATA_TYPE    1101
#define IDC_NEW_DATA_COUNT   1200
#define IDC_NEW_DATA_O2      1201
#define IDC_NEW_DATA_HEATING 1245
#define IDC_NEW_DATA_BOARD   1246
#define IDC_NEW_DATA_H2S     1345
// The file dialog of parameter sets: its filter and the default name.
#define IDS_PRM_FILTER  129
#define IDS_PRM_DEFAULT 130
// The document's texts.
#define IDS_CONNECTING           10050
#define IDS_DEVICE_NOT_SUPPORTED 10095
#define IDS_SCAN_PROGRESS        10101
#define IDS_START_PROTOCOL_FLAG  10116
// (the component limits are the communication dialog's texts)
#define IDS_MIN_ONE_COMPONENT    IDS_MIN_COMPONENTS
#define IDS_ONLY_ONE_COMPONENT   10120
#define IDS_INCOMPATIBLE_SET     12330
#define IDS_NO_INSTRUMENTS_FOUND 55000
// The default names of analyzers: base + model type code (1 to 8; 6 has none), the names
// that the communication dialog offers for the offline analyzer.
#define IDS_DEFAULT_NAME_BASE IDS_OFFLINE_MODEL_BASE
#define IDS_QUENTA6_E         30130
#define IDS_QUENTA6_G         30131
// A parameter set that cannot be read, or saved.
#define IDS_SET_NOT_READABLE 38300
#define IDS_SET_NOT_SAVED    38301
// ---- Instrument view: the parameter tree of one analyzer and its device commands ---------

// The form of the view: one static control that marks the place of the tree-list.
#define IDD_INSTRUMENT_VIEW   155
#define IDC_INSTRUMENT_TREE   1227
// The column titles of the tree-list (comma-separated) and of the compare column.
#define IDS_IV_COLUMNS         38400
#define IDS_IV_COLUMNS_COMPARE 38401
#define IDS_IV_COMPARE_COLUMN  38402
// Boxes and progress texts of the commands.
#define IDS_IV_COMM_LOST             38403
#define IDS_IV_LEAVING_ONLINE        38404
#define IDS_IV_OTHER_MODEL           38405
#define IDS_IV_TRANSFERRING          38406
#define IDS_IV_ASK_LOAD_USER         38407
#define IDS_IV_ASK_SAVE_USER         38408
#define IDS_IV_ASK_LOAD_FACTORY      38409
#define IDS_IV_PREPARING             38410
#define IDS_IV_LOADING_USER          38411
#define IDS_IV_SAVING_USER           38412
#define IDS_IV_LOADING_FACTORY       38413
#define IDS_IV_PC_DATA_FILTER        38414
#define IDS_IV_PC_DATA_EXT           38415
#define IDS_IV_ASK_OVERWRITE_PC_DATA 38416
#define IDS_IV_TRANSFER_STARTED      38417
#define IDS_IV_ERROR_CODE            38418
#define IDS_IV_NO_DOWNLOAD_CONVERTER 38419
#define IDS_IV_BOOT_VERSION          38420
#define IDS_IV_ASK_DOWNLOAD          38421
#define IDS_IV_DL_RESET              38422
#define IDS_IV_DL_STARTED            38423
#define IDS_IV_DL_VERIFY             38424
#define IDS_IV_DL_RESTART            38425
#define IDS_IV_DL_COMPLETED          38426
#define IDS_IV_DL_WAIT_RESTART       38427
#define IDS_IV_ASK_ABORT_DOWNLOAD    38428
#define IDS_IV_PC_TRANSFER           38429
#define IDS_IV_ASK_ABORT_PC_DATA     38430
#define IDS_IV_NO_FIRMWARE           38431
#define IDS_IV_TOO_MANY_CONVERTERS   38432
#define IDS_IV_NO_CONVERTER          38433
#define IDS_IV_NO_CONNECTION         38434
#define IDS_IV_SEARCHING             38435
#define IDS_IV_FIRMWARE_FOUND        38436
#define IDS_IV_ASK_DOWNLOAD_PROFIBUS 38437
#define IDS_IV_PROFIBUS_PREPARING    38438
#define IDS_IV_HEX_EXT               38439
#define IDS_IV_HEX_FILTER            38440
#define IDS_IV_MAINBOARD_NAMES       38441
#define IDS_IV_FIELDBUS_NAMES        38442
#define IDS_IV_FILE_MISMATCH         38443
#define IDS_CLOCK_NO_SUCH_DATE       38444  // the clock dialog's refusal

// ---- Panes of the main window: tree, value list, value bars and messages -----------------

// The tree's context menu of an analyzer (offline) and its two commands.
#define IDR_TREE_CONTEXT         134
#define ID_TREE_RENAME           32860
#define ID_TREE_EDIT_COMPONENTS  32861
// The traffic light of the message pane: yellow, red and green.
#define IDB_LIGHT_YELLOW 136
#define IDB_LIGHT_RED    137
#define IDB_LIGHT_GREEN  139
// The message pane's form: the two lists, the three lights and the status text.
#define IDD_VIEW_MESSAGE        101
#define IDC_SYSTEM_STATES       1224
#define IDC_CHANNEL_STATES      1100
#define IDC_LIGHT_GREEN         1045
#define IDC_LIGHT_RED           1043
#define IDC_LIGHT_YELLOW        1048
#define IDC_MESSAGE_STATUS_TEXT 1041
// The value-bars pane's form: per component row 0 to 3 a bar, a label, the range's lower and
// upper limit, the value, the range and the switch status.
#define IDD_VIEW_VALUE_BARS 147
#define IDC_BAR_1           1106
#define IDC_BAR_2           1107
#define IDC_BAR_3           1108
#define IDC_BAR_4           1109
#define IDC_BAR_LABEL_1     1060
#define IDC_BAR_LABEL_2     1099
#define IDC_BAR_LABEL_3     1065
#define IDC_BAR_LABEL_4     1081
#define IDC_BAR_LOWER_1     1111
#define IDC_BAR_UPPER_1     1115
#define IDC_BAR_VALUE_1     1119
#define IDC_BAR_RANGE_1     1123
#define IDC_BAR_STATUS_1    1127
// The panes' texts.
#define IDS_VALUE_COLUMNS     10009
#define IDS_RANGE_NUMBER      IDS_GRID_RANGE_ROW  // the grids' text
#define IDS_RANGE_TEXT        11010
#define IDS_SWITCH_LEGEND     12322
#define IDS_SYSTEM_STATE_BASE 19900  // extended status flag 0 to 17 of an analyzer
#define IDS_COMPUTER          20000

// The parameter sheet and its pages: caption, messages, templates and controls.
#define IDS_PARAMETER_SHEET_CAPTION 203
#define IDS_ENTER_NUMERIC_VALUE     10053
#define IDS_ENTER_NUMERIC_IN_CELL   10300  // the same, naming the cell and its text
#define IDS_PRANGE_AUTORANGE        10065
#define IDS_PRANGE_ONE_TWO          11009
#define IDD_PARAM_RANGE             120
#define IDC_PRANGE_SWITCH_DOWN      1010
#define IDC_PRANGE_CURRENT          1037
#define IDC_PRANGE_GRID_BOX         1059
#define IDC_PRANGE_SWITCH_UP        1097
#define IDC_PRANGE_COMPONENT        1148
#define IDC_PRANGE_LIN_START        1263
#define IDC_PRANGE_LIN_END          1264
#define IDD_PARAM_LIMITS            121
#define IDC_PLIMITS_GRID1           1061
#define IDC_PLIMITS_GRID2           1063
#define IDC_PLIMITS_GRID3           1062
#define IDC_PLIMITS_GRID4           1064
#define IDC_PLIMITS_CAPTION3        1228
#define IDC_PLIMITS_CAPTION4        1229
#define IDC_PLIMITS_CAPTION2        1230
#define IDC_PLIMITS_CAPTION1        1231
#define IDC_PARAM_UNUSED_CHECK      1187
#define IDD_PARAM_DISTURBANCE       123
#define IDC_PDIST_NOISE_GRID        1066
#define IDC_PDIST_NOISE_CAPTION     1193
#define IDC_PDIST_TIME_GRID         1236
#define IDD_PARAM_CORRECTION        125
#define IDC_PCORR_PRESSURE_GRID     1069
#define IDC_PCORR_GAS_GRID          1071
#define IDC_PCORR_LIST              1280
#define IDC_PCORR_PRESSURE_CAPTION  1281
#define IDS_APPLY_CHANGES_NOW       10140
#define IDD_PARAM_SWITCH_MPOINT     126
#define IDC_PSMP_ACTIVE             1034
#define IDC_PSMP_GRID               1067
#define IDS_PFREQ_MAGNETIC_FIELD     10066
#define IDS_PFREQ_CHOPPER            10067
#define IDS_PHASE_ADJUST_RUNS        10068
#define IDD_PARAM_FREQUENCIES       124
#define IDC_PFREQ_E_PHI             1016
#define IDC_PFREQ_E_PHI90           1019
#define IDC_PFREQ_PHASE             1022
#define IDC_PFREQ_DEFAULTS          1025
#define IDC_PFREQ_ADJUST_PHASE      1032
#define IDC_PFREQ_REDUCER           1095
#define IDC_PFREQ_MEAS              1096
#define IDC_PFREQ_SETPOINT          1150
#define IDC_PFREQ_COMPONENT         1161
#define IDC_PFREQ_GROUP             1162
#define IDC_PFREQ_PHI90_LABEL       1219
#define IDC_PFREQ_PHI_LABEL         1220
#define IDC_PFREQ_PHASE_LABEL       1221
#define IDD_PARAM_EXT_PRESSURE      210
#define IDC_PEXT_PRESSURE           1310
#define IDC_PEXT_SAMPLE             1311
#define IDC_PEXT_SPAN               1315
#define IDC_PEXT_ZERO               1316
#define IDC_PEXT_CLOSED             1336

// ---- The configuration sheet and its pages (configsheet.rc, tables/configsheet.def) ------
#define IDS_CONFIG_SHEET_CAPTION   202
#define IDD_CONFIG_ANALOG          110
#define IDD_CONFIG_RELAYS          111
#define IDD_CONFIG_BINARY          112
#define IDD_CONFIG_UNITS           113
#define IDD_CONFIG_SYNC            114
#define IDD_CONFIG_VASK            115
#define IDD_CONFIG_HEATING         196
#define IDD_CONFIG_WARMUP          201
#define IDD_CONFIG_PRESSURE        202
// Analog outputs.
#define IDC_CONFIG_ANALOG_RANGE    1031
#define IDC_CONFIG_INVERTED        1086
#define IDC_CONFIG_STORE_CHECK     1087
#define IDC_CONFIG_STORE_FAULT     1039
#define IDC_CONFIG_SUPPRESS        1274
#define IDC_CONFIG_STORE_CHECK_TXT 1163
// Relays and binary inputs.
#define IDC_CONFIG_RELAY_LIST      1050
#define IDC_CONFIG_RELAY_FREE      1088
#define IDC_CONFIG_RELAY_ASSIGN    1089
#define IDC_CONFIG_RELAY_REMOVE    1090
#define IDC_CONFIG_BINARY_LIST     1047
#define IDC_CONFIG_BINARY_FREE     1147
#define IDC_CONFIG_BINARY_ASSIGN   1145
#define IDC_CONFIG_BINARY_REMOVE   1146
// Units.
#define IDC_CONFIG_UNITS_GRID      1044
// Pump and sync input.
#define IDC_CONFIG_PUMP_ON         1094
#define IDC_CONFIG_PUMP_ZERO       1166
#define IDC_CONFIG_PUMP_MEAS       1164
#define IDC_CONFIG_SYNC_ZERO       1216
#define IDC_CONFIG_SYNC_REPORT     1217
// Bus telegrams.
#define IDC_CONFIG_CHANNEL_NAME    1092
#define IDC_CONFIG_BROADCAST       1091
// Heating.
#define IDC_CONFIG_HEATING_ON      1240
#define IDC_CONFIG_HEATING_TEMP    1239
// Warm-up.
#define IDC_CONFIG_DEVICE_STATE    1287
#define IDC_CONFIG_WARMUP_PHASE    1288
#define IDC_CONFIG_START_STATE     1289
// Pressure settings.
#define IDC_CONFIG_GAS_SETPOINT    1290
#define IDC_CONFIG_GAS_TOLERANCE   1291
#define IDC_CONFIG_GAS_MEASURED    1292
#define IDC_CONFIG_AIR_SETPOINT    1293
#define IDC_CONFIG_AIR_TOLERANCE   1294
#define IDC_CONFIG_AIR_MEASURED    1295
#define IDC_CONFIG_PUMP_TOLERANCE  1296
#define IDC_CONFIG_PUMP_TOL_LABEL  1297
#define IDC_CONFIG_STANDBY_LABEL   1298
// Texts.
#define IDS_ENTER_NUMERIC          IDS_ENTER_NUMERIC_VALUE  // the parameter pages' text
#define IDS_RELAY_HEADINGS         10072
#define IDS_BINARY_HEADINGS        10073
#define IDS_UNITS_HEADINGS         10077
#define IDS_UNIT_CHOICES           10099
#define IDS_ANALOG_RANGES_S23      10136
#define IDS_ANALOG_RANGES          10137
#define IDS_UNIT_CHOICES_P64       10184
#define IDS_STANDBY_NOT_ALLOWED    13254

// ---- The adjustment sheet and its pages (adjustsheet.rc, tables/adjustsheet.def) ---------
#define IDS_ADJUSTMENT_SHEET_CAPTION 201
#define IDD_ADJUST_RANGE             116
#define IDD_ADJUST_SENSOR            117
#define IDD_ADJUST_AUTOCAL           118
// The button pictures of the range grid's calibration cells: up and pressed.
#define IDB_CALIBRATE_UP             178
#define IDB_CALIBRATE_DOWN           151
// Measuring ranges.
#define IDC_ADJ_GRID_FRAME           1237
#define IDC_ADJ_GRID                 1132
#define IDC_ADJ_COMMON_ZERO          1279
#define IDC_ADJ_O2_GROUP             1239
#define IDC_ADJ_O2_MEAS              1079
#define IDC_ADJ_O2_SETPOINT          1080
#define IDC_ADJ_O2_DATE              1082
#define IDC_ADJ_O2_ZERO              1072
#define IDC_ADJ_O2_RISE              1083
#define IDC_ADJ_H2S_GROUP            1238
#define IDC_ADJ_H2S_MEAS             1347
#define IDC_ADJ_H2S_SETPOINT         1348
#define IDC_ADJ_H2S_DATE             1349
#define IDC_ADJ_H2S_ZERO             1351
#define IDC_ADJ_H2S_RISE             1352
// Pressure sensor.
#define IDC_ADJ_PRESSURE_MEAS        1149
#define IDC_ADJ_PRESSURE_SETPOINT    1084
#define IDC_ADJ_PRESSURE_ADJUST      1085
// AUTOCAL.
#define IDC_ACAL_ON                  1068
#define IDC_ACAL_START               1070
#define IDC_ACAL_START_CHECK         1078
#define IDC_ACAL_NO_BOARD            1223
#define IDC_ACAL_NEXT_IN             1073
#define IDC_ACAL_CYCLE_TIME          1074
#define IDC_ACAL_SETPOINT_LABEL      1212
#define IDC_ACAL_SETPOINT_AFTER      1075
#define IDC_ACAL_CYCLES_LABEL        1213
#define IDC_ACAL_BY_INPUT            1284
#define IDC_ACAL_BY_CYCLE            1285
#define IDC_ACAL_FUNCTION            1076
#define IDC_ACAL_ZERO_TOL            1286
#define IDC_ACAL_SENS_TOL            1283
#define IDC_ACAL_SEQUENCE            1055
#define IDC_ACAL_STEPS               1057
#define IDC_ACAL_ASSIGN              1077
#define IDC_ACAL_STEP_TIME           1141
// Texts.
#define IDS_ADJ_GRID_HEADINGS        10039
#define IDS_ADJ_SETPOINT_RANGE       10040
#define IDS_ACAL_SEQUENCE_HEADINGS   10045
#define IDS_ENTER_VALID_DATE         10069
#define IDS_CHANNEL_STATE_CANCELLED  10111
#define IDS_START_CALIBRATION        10123
#define IDS_SENSOR_ZERO_STATE        10139
#define IDS_APPLY_BEFORE_AUTOCAL     10182
#define IDS_APPLY_BEFORE_ACAL_CHECK  10183
// ---- The diagnostics and drift values sheets (diagnostics.rc, tables/diagnostics.def) ----
#define IDS_DIAGNOSTICS_CAPTION      200
#define IDS_DRIFT_CAPTION            206
#define IDD_DIAG_STATE               106
#define IDD_DIAG_COMPONENTS          107
#define IDD_DIAG_VALUES              108
#define IDD_DIAG_FIRM_DATA           109
#define IDD_DRIFT_VALUES             213
// The sheets' print button.
#define IDC_SHEET_PRINT              1185
#define IDS_SHEET_PRINT              56008
// Device state and logbook.
#define IDC_DIAG_LOGBOOK             1012
#define IDC_DIAG_CONFIRM             1134
#define IDC_DIAG_UPDATE_LOGBOOK      1182
#define IDC_DIAG_EMPTY_LOGBOOK       1180
// Components and diagnostic values.
#define IDC_DIAG_COMPONENT_LIST      1144
#define IDC_DIAG_VALUE_LIST          1052
// Factory data.
#define IDC_FIRM_HARDWARE_ID         1005
#define IDC_FIRM_SERIAL_NUMBER       1056
#define IDC_FIRM_ORDER_NUMBER        1009
#define IDC_FIRM_FIRMWARE_NUMBER     1013
#define IDC_FIRM_ADAPTER_FW          1020
#define IDC_FIRM_ADAPTER_BOOT        1021
#define IDC_FIRM_MOTHER_FW           1027
#define IDC_FIRM_MOTHER_BOOT         1028
#define IDC_FIRM_OPTION_FW           1029
#define IDC_FIRM_OPTION_BOOT         1030
#define IDC_FIRM_QUENTA_TYPE         1011
#define IDC_FIRM_QUENTA_TYPE_LABEL   1331
#define IDC_FIRM_QUENTA_TYPE_FRAME   1332
// Drift values.
#define IDC_DRIFT_LIST               1325
#define IDC_DRIFT_RESET              1326
#define IDC_CALIB_LIST               1328
// Texts.
#define IDS_LOGBOOK_COLUMNS          10015
#define IDS_DIAG_COMPONENT_COLUMNS   10017
#define IDS_DIAG_VALUE_COLUMNS       10018
#define IDS_DIAG_NAMES_SINDOR23      10019
#define IDS_DIAG_NAMES_SINDOR6       10020
#define IDS_DIAG_NAMES_PARVEL6       10021
#define IDS_DIAG_NAMES_LORVIX6       10155
#define IDS_DIAG_NAMES_QUENTA6       10170
#define IDS_DIAG_NAMES_PARVEL64      56010
#define IDS_DIAG_NAMES_LORVIX62      56009
#define IDS_LOG_TIME_GONE            10022
#define IDS_LOG_TIME_SET             10023
#define IDS_WAIT_FOR_VALUES          10026
#define IDS_DRIFT_TIME_FORMAT        10030
#define IDS_LOG_YES                  10041
#define IDS_LOG_NO                   10042
#define IDS_LOG_NOT_PROGRAMMED       10043
#define IDS_LOG_ACK_FAILED           10044
#define IDS_CALIB_COLUMNS_RESERVE    10175
#define IDS_DRIFT_COLUMNS            10176
#define IDS_CALIB_COLUMNS            10177
// The logbook's message blocks of the models.
#define IDS_LOG_SINDOR23_BASE        30200
#define IDS_LOG_SINDOR6_BASE         30500
#define IDS_LOG_PARVEL6_BASE         30800
#define IDS_LOG_PARVEL64_BASE        30832
#define IDS_LOG_LORVIX6_BASE         31500
#define IDS_LOG_LORVIX62_BASE        31532
#define IDS_LOG_QUENTA6_BASE         31700
// ---- The curve sheet: curve page and option page (curvesheet.rc, tables/curvesheet.def) ----
#define IDD_CURVE_OPTIONS           141
#define IDC_CURVE_DIAGRAM           1136
#define IDC_CURVE_OUTSIDE           1135
#define IDC_CURVE_NO_ANALYZER       1252
#define IDC_CURVE_EXPORT            1247
#define IDC_CURVE_PRINT             1183
#define IDC_CURVE_TIME_SPAN         1017
#define IDC_CURVE_LEGEND            1210
#define IDC_CURVE_SCROLL_AREA       1209
#define IDC_CURVE_SHOW_VALUES       1152
#define IDC_CURVE_LIST              1184
#define IDC_CURVE_NETWORK           1271
#define IDC_CURVE_ANALYZER          1186
#define IDC_CURVE_COMPONENT         1042
#define IDC_CURVE_UPPER             1137
#define IDC_CURVE_UPPER_UNIT        1222
#define IDC_CURVE_LOWER             1138
#define IDC_CURVE_LOWER_UNIT        1218
#define IDC_CURVE_COLOR             1140
#define IDC_CURVE_SYMBOL            1211
#define IDC_CURVE_GRID              1139
#define IDC_CURVE_ZERO_LINE         1248
#define IDC_CURVE_ZERO_POINT        1249
#define IDS_CURVE_EXPORT_EXT        131
#define IDS_CURVE_EXPORT_NAME       132
#define IDS_CURVE_EXPORT_FILTER     133
#define IDS_CURVE_VALUE_FORMAT      10096
#define IDS_CURVE_DATE_TIME_FORMAT  10124
#define IDS_CURVE_TIME_FORMAT       10125
#define IDS_INVALID_TIME_SPAN       12321
#define IDS_CURVE_LIMITS_ORDER      12331
#define IDS_NO_INSTRUMENT           30100
#define IDS_CLOSE_SHEET             56001
// The print form of the diagram.
#define IDS_PRINT_TYPE_DIAGRAM      12502
// ---- Measurement logging thread, logging settings page and program settings sheet ---------

// The page "Instruments" of the log's settings sheet.
#define IDD_PROTOCOL_PAGE         145
#define IDC_PROTOCOL_NETWORK      1272
#define IDC_PROTOCOL_INSTRUMENTS  1105
#define IDC_PROTOCOL_DELIMITER    1181
// "Program options" and "General settings" of "Program configuration".
#define IDD_SETTINGS_CONV         131
#define IDD_SETTINGS_GENERAL      127
#define IDC_SETTINGS_TYPE         1205
#define IDC_SETTINGS_COMPONENTS   1206
#define IDC_SETTINGS_OFFLINE      1204
#define IDC_SETTINGS_ONLINE       1208
#define IDC_SETTINGS_O2_SENSOR    1207
#define IDC_SETTINGS_H2S_SENSOR   1346
#define IDC_SETTINGS_HEATING      1243
#define IDC_SETTINGS_OPTION_BOARD 1244
#define IDC_SETTINGS_COMPANY      1103
#define IDC_SETTINGS_DEPARTMENT   1203
#define IDC_SETTINGS_PROJECT      1202
// Texts of the logging thread and of the settings sheet.
#define IDS_PROTOCOL_NO_SELECTION   38460
#define IDS_PROTOCOL_DOWNLOAD_BEGIN 38461
#define IDS_PROTOCOL_DOWNLOAD_END   38462
#define IDS_PROTOCOL_DECIMAL_SIGNS  38463
#define IDS_PROTOCOL_WRITE_FAILED   38464
#define IDS_SETTINGS_CAPTION        38465

// ---- Application start-up: about box, splash window, command line, COM survey ----------
// The about box and its version line ("Korvan GA Version %s") above the second line.
#define IDD_ABOUTBOX          100
#define IDC_ABOUT_VERSION     1650
#define IDC_ABOUT_SECOND_LINE 1651
#define IDS_ABOUT_VERSION     10122
// The splash window: the bitmap that gives its size, and the picture it paints.
#define IDB_SPLASH_FRAME      102
#define IDB_SPLASH            206
// "Operation mode" of "Program options" (IDS_PROGRAM_OPTIONS).
#define IDS_OPERATION_MODE    15112
// A host of the command line that cannot name a network; the start goes on without it.
#define IDS_HOST_NOT_VALID    15190
// A COM port that another program holds; the port is the caption.
#define IDS_COM_PORT_BUSY     61449
