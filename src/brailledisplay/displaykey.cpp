#include "displaykey.h"

#include <brlapi.h>

DisplayKey displayKeyFromCode(std::uint64_t code)
{
    if ((code & BRLAPI_KEY_TYPE_MASK) == BRLAPI_KEY_TYPE_SYM)
        return (code & BRLAPI_KEY_CODE_MASK) == u' ' ? DisplayKey{DisplayKey::Kind::Space, 0} : DisplayKey{};
    if ((code & BRLAPI_KEY_TYPE_MASK) != BRLAPI_KEY_TYPE_CMD)
        return {};
    const std::uint64_t block = code & BRLAPI_KEY_CMD_BLK_MASK;
    const int argument = int(code & BRLAPI_KEY_CMD_ARG_MASK);
    if (block == BRLAPI_KEY_CMD_ROUTE)
        return {DisplayKey::Kind::Route, argument};
    if (block == BRLAPI_KEY_CMD_PASSDOTS) {
        const int dots = argument & 0xFF;
        // The space bar pressed with dots is a chord; alone it is a blank.
        if (dots == 0)
            return {DisplayKey::Kind::Space, 0};
        return {DisplayKey::Kind::Dots, dots};
    }
    if (block != 0)
        return {};
    switch (code & BRLAPI_KEY_CODE_MASK) {
    case BRLAPI_KEY_CMD_FWINLT:
    case BRLAPI_KEY_CMD_FWINLTSKIP:
        return {DisplayKey::Kind::PanLeft, 0};
    case BRLAPI_KEY_CMD_FWINRT:
    case BRLAPI_KEY_CMD_FWINRTSKIP:
        return {DisplayKey::Kind::PanRight, 0};
    case BRLAPI_KEY_CMD_LNUP:
        return {DisplayKey::Kind::LineUp, 0};
    case BRLAPI_KEY_CMD_LNDN:
        return {DisplayKey::Kind::LineDown, 0};
    default:
        return {};
    }
}
