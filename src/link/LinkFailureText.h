#pragma once

#include <QString>

#include "core/ShownText.h"
#include "link/LinkFailure.h"

// The operator's words for a kind of link failure ("无应答", "校验错误",
// "仪表拒绝（异常码 2）" ...); the reason, in the link's own English, stays
// the detail and is what the journal stores. linkFailureWords gives them for
// the screen and, in English, for the log; shownLinkFailureText in the
// interface's language.
ShownText linkFailureWords(const LinkFailure& failure);
QString shownLinkFailureText(const LinkFailure& failure);
