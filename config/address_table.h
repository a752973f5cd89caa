#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// Where the editor and the option dialogs find the fields of the selected
// preset. Image offsets; the names are those of the debug listing.
struct AddressTable {
    int PresetOffset = 0;
    int RoutingTable = 0;
    int PPMOptionBaseAdr = 0;
    int ScopOptionBaseAdr = 0;
    int MainOptionAdr = 0;
    int ScaleNoAdr = 0;
    int OscMode = 0;
    int OutputSignalNo = 0;
    int BurstOnAdr = 0;
    int BurstOffAdr = 0;
    int ScaleOptionAdr = 0;
    int SumGainExtBaseAdr = 0;
    int LeqGraphColor = 0;
    int LeqTrip = 0;
    int GroupBaseAdr = 0;
    int OutputGainBaseAdr = 0;
    int GroupGainMasterAdr = 0;
    int GroupGainAnalogueAdr = 0;
    int GroupGainDigitalAdr = 0;
    int BacklightAdr = 0; // follows the image version, not the preset
};

// The table for preset index p (0..10; any other index gives preset 1's)
// in an image of the given version.
AddressTable MakeAddressTable(int p, uint16_t imageVersion);

// The eleven lines the debug window shows after every recomputation.
std::vector<std::string> AddressTableListing(const AddressTable& table);

} // namespace qv
