// Device types: what the bus reports and what the model takes.
#pragma once

// The model type code that the analyzer classes and AddVaskInstrument take (string
// 15100 + code names it: 1 Sindor 6, 2 Parvel 6, 3 Lorvix 6, 4 Sindor 23, 5 Quenta 6,
// 6 Denrik, 7 Parvel 64, 8 Lorvix 62, 9 Folvar 3) for the channel type of a device's version
// record (CDeviceInfo::GetType: 1 Sindor 6, 2 Parvel 6, 3 Quenta 6, 4 Sindor 23, 5 Folvar 3,
// 6 Denrik, 7 Lorvix 6, 8 Parvel 64, 9 Lorvix 62). 0 for a channel type of no known model.
int ModelTypeFromChannelType(int channelType);
