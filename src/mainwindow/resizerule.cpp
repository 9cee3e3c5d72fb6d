#include "resizerule.h"

namespace {

std::optional<float> ifPositive(float value)
{
    return value > 0 ? std::optional<float>(value) : std::nullopt;
}

} // namespace

ResizeRule ResizeRule::compute(float outerWidth, float outerHeight)
{
    ResizeRule rule;
    rule.listWidth = ifPositive(outerWidth - 600.0f);
    rule.textWidth = ifPositive(outerWidth - 600.0f);
    rule.textHeight = ifPositive(outerHeight / 2.0f - 600.0f);
    rule.listTop = ifPositive(outerHeight / 2.0f + 200.0f);
    rule.listHeight = ifPositive(outerHeight / 2.0f - 900.0f);
    return rule;
}
