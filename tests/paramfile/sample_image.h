#pragma once
// A parameter image in which every stored field holds its own distinct value, so that a swapped, dropped or
// misplaced field shows up when the image comes back from a file.

#include "paramfile/parametres.h"

namespace gw::test {

// Consistent the way the pages keep it: the gateway-wide fields are the same in every group record (group 1's
// copy for the ones only group 1 carries), bit 0x20 of the SIP flags matches clipFromInvite, every record of
// a table has its table's number of fields, and lists are within their limits.
TParametres sampleImage();

// Compares two images part by part, so a failure names the part that differs.
void expectSameImage(const TParametres& got, const TParametres& want);

}  // namespace gw::test
