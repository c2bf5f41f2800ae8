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

// Results of device operations.
#define IDS_ERR_WRITE_DATE_O2      18027
#define IDS_ERR_WRITE_SETPOINT_O2  18130
#define IDS_ERR_READ_SETPOINT_O2   18131
#define IDS_ERR_WRITE_DATE_H2S     18132
#define IDS_ERR_WRITE_SETPOINT_H2S 18134
#define IDS_ERR_READ_SETPOINT_H2S  18135
#define IDS_ERR_ZERO_O2_SENSOR     18615
#define IDS_ERR_RISE_O2_SENSOR     18621
#define IDS_ERR_ZERO_H2S_SENSOR    18622
#define IDS_ERR_RISE_H2S_SENSOR    18623
#define IDS_ERR_READ_HEATING       18248
#define IDS_ERR_READ_OPTION_CARD   18254
#define IDS_ERROR                  18500
#define IDS_SUCCESSFUL             18800
#define IDS_NOT_TRANSFERRED        18801

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
