#include "controls/linkopenresult.h"

OpenLinkCode OpenLinkCodeOfOpenerExit(int exitCode)
{
    // xdg-open: 2 a file that does not exist, 5 one that cannot be read; 1, 3
    // and 4 (bad call, no method, the handler failed) all leave the address
    // without a program that opened it.
    switch (exitCode) {
    case 2:
        return OpenLinkCode::FileNotFound;
    case 5:
        return OpenLinkCode::AccessDenied;
    default:
        return OpenLinkCode::NoAssociation;
    }
}
