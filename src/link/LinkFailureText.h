#pragma once

#include <QString>

// The operator's words for a link failure reason ("无应答", "校验错误",
// "仪表拒绝（异常码 2）" ...); the reason itself stays the detail.
QString linkFailureText(const QString& reason);
