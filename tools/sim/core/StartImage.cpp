#include "StartImage.h"

#include <array>

#include "instrument/RegisterMap.h"

namespace tqsim {

namespace {

// Parameters 1..37 as the instrument leaves the factory. Tenths where the
// instrument keeps tenths: filter 1 s = 10, output upper limit 100.0 % =
// 1000, dead band 1.0 % = 10. Parameters 8 and 21 are unused and hold 0.
constexpr std::array<int, 37> kParameterDefaults{
    0,    // 1 sensor type: K thermocouple
    0,    // 2 decimal point
    5000, // 3 input upper limit
    0,    // 4 input lower limit
    0,    // 5 offset correction
    10,   // 6 filter, tenths of a second
    0,    // 7 unit: Celsius
    0,    // 8 unused
    0,    // 9 output type: linear
    0,    // 10 linear output 4..20 mA
    0,    // 11 heating, reverse action
    20,   // 12 proportional band
    120,  // 13 integral time, s
    30,   // 14 derivative time, s
    2,    // 15 output cycle, s
    1,    // 16 on/off hysteresis
    1000, // 17 output upper limit, tenths of a percent
    0,    // 18 output lower limit, tenths of a percent
    0,    // 19 output preset on input fault, percent
    0,    // 20 input fault: go to the preset
    0,    // 21 unused
    0,    // 22 alarm 1 mode: off
    0,    // 23 alarm 2 mode: off
    0,    // 24 alarm 3 mode: off
    1,    // 25 station address
    1,    // 26 baud code: 9600
    0,    // 27 parity code: none
    0,    // 28 communication delay, ms
    0,    // 29 retransmission 4..20 mA
    0,    // 30 retransmit the measured value
    1000, // 31 retransmission upper limit
    0,    // 32 retransmission lower limit
    10,   // 33 heating/cooling dead band, tenths of a percent
    600,  // 34 cooling start delay, s
    0,    // 35 alarm suppression at power-up
    0,    // 36 soft start
    0,    // 37 soft-start time, s
};

// Set value, hysteresis and delay of alarms 1..3.
constexpr std::array<int, 9> kAlarmDefaults{150, 1, 0, 50, 1, 0, 0, 1, 0};

constexpr int kDefaultSetValue = 100;
constexpr int kAmbient = 25;

int parityCode(Parity parity)
{
    return parity == Parity::Odd ? 1 : parity == Parity::Even ? 2 : 0;
}

} // namespace

void applyFactoryDefaults(RegisterImage& image)
{
    for (size_t i = 0; i < kParameterDefaults.size(); ++i)
        image.setHolding(RegisterMap::parameter(static_cast<int>(i) + 1), kParameterDefaults[i]);
    for (size_t i = 0; i < kAlarmDefaults.size(); ++i)
        image.setHolding(RegisterMap::kAlarmSetPointBase + static_cast<int>(i), kAlarmDefaults[i]);

    image.setHolding(RegisterMap::kSetValue, kDefaultSetValue);
    image.setHolding(RegisterMap::kManualOutput, 0);
    image.setCoil(RegisterMap::kSelfTune, false);
    image.setCoil(RegisterMap::kAutomatic, true);
    image.setCoil(RegisterMap::kManualPermitted, true);

    // A cold plant at rest, so that a frozen instrument shows sane values too.
    image.setInput(RegisterMap::kProcessValue, kAmbient);
    image.setInput(RegisterMap::kOutput, 0);
    image.setInput(RegisterMap::kWorkingSetValue, kDefaultSetValue);
    image.setInput(RegisterMap::kColdJunction, kAmbient);
    image.setInput(RegisterMap::kDeviation, kAmbient - kDefaultSetValue);
}

RegisterImage startImage(const Options& options)
{
    RegisterImage image;
    applyFactoryDefaults(image);
    image.setHolding(RegisterMap::kCommAddress, options.address);
    image.setHolding(RegisterMap::kBaudCode, baudCode(options.baud));
    image.setHolding(RegisterMap::kParityCode, parityCode(options.parity));
    image.setDiscrete(RegisterMap::kInputOpen, options.inputFault == InputFault::Open);
    image.setDiscrete(RegisterMap::kInputShort, options.inputFault == InputFault::Short);
    for (const auto& a : options.assignments)
        image.setValue(a.table, a.number, a.value);
    return image;
}

} // namespace tqsim
