#pragma once

#include <QJsonObject>

class LinkHealth;
struct ProcessImage;

// The instrument blocks of the process image and the link health as one
// JSON object, with the names the station uses for them.
QJsonObject processImageJson(const ProcessImage& image, const LinkHealth& health);
QJsonObject linkHealthJson(const LinkHealth& health);
