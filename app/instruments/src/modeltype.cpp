// Channel type of the bus to model type of the program, matched by the model's name.
#include "modeltype.h"

#include "resource.h"
#include "vaskfc.h"

namespace {

// The model of each channel type of a device's version record, in code order.
const char* const kChannelTypeModels[] = {NULL,        "Sindor 6", "Parvel 6", "Quenta 6",
                                          "Sindor 23", "Folvar 3", "Denrik",   "Lorvix 6",
                                          "Parvel 64", "Lorvix 62"};
const int kChannelTypes = (int)(sizeof kChannelTypeModels / sizeof kChannelTypeModels[0]);

// The model type codes that name an analyzer model (0 is "No instrument", 10 "User
// defined").
const int kFirstModelType = 1;
const int kLastModelType = 9;

}  // namespace

int ModelTypeFromChannelType(int channelType) {
    if (channelType < 1 || channelType >= kChannelTypes) return 0;
    for (int model = kFirstModelType; model <= kLastModelType; ++model) {
        CString name;
        if (name.LoadString(IDS_MODEL_NAME_BASE + model) &&
            name.CompareNoCase(kChannelTypeModels[channelType]) == 0)
            return model;
    }
    return 0;
}
