#pragma once

#include <QString>

// The operator's words for a link failure reason ("无应答", "校验错误",
// "仪表拒绝（异常码 2）" ...); the reason itself stays the detail.
// linkFailureText gives the Chinese words the journal stores, whatever the
// interface language; shownLinkFailureText those of the interface.
QString linkFailureText(const QString& reason);
QString shownLinkFailureText(const QString& reason);
