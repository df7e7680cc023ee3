#include "app/language_table.hpp"

namespace qv {

int language_index_for(langid_t langid) {
    const unsigned primary = langid & 0x3FFu;
    const unsigned sub = langid >> 10;
    switch (primary) {
    case 0x0C:
        return 0;
    case 0x09:
        return 1;
    case 0x07:
        return 2;
    case 0x0A:
        return 3;
    case 0x16:
        return 4;
    case 0x13:
        return 5;
    case 0x06:
        return 6;
    case 0x1F:
        return 7;
    case 0x02:
        return 8;
    case 0x18:
        return 9;
    case 0x04:
        return (sub == 2 || sub == 4) ? 10 : -1; // simplified script only
    case 0x10:
        return 11;
    case 0x05:
        return 12;
    case 0x14:
        return 13;
    case 0x08:
        return 14;
    case 0x15:
        return 15;
    case 0x0D:
        return 16;
    case 0x2A:
        return 17;
    case 0x11:
        return 18;
    case 0x0E:
        return 19;
    default:
        return -1;
    }
}

} // namespace qv
