#pragma once

#include "link/Fieldbus.h"

// Hands every call to a fieldbus the test owns, so the test can inspect it
// after the link that used it is gone.
class ForwardingFieldbus final : public Fieldbus {
public:
    explicit ForwardingFieldbus(Fieldbus& target) : target_(target) {}

    int OpenPort_Modbus(int p, int b, int q) override { return target_.OpenPort_Modbus(p, b, q); }
    int ClosePort_Modbus(int p) override { return target_.ClosePort_Modbus(p); }
    int Get_3X_D8(int p, int a, int s, std::span<int32_t, 8> b) override { return target_.Get_3X_D8(p, a, s, b); }
    int Get_4X_D8(int p, int a, int s, std::span<int32_t, 8> b) override { return target_.Get_4X_D8(p, a, s, b); }
    int Get_4X_D16(int p, int a, int s, std::span<int32_t, 16> b) override { return target_.Get_4X_D16(p, a, s, b); }
    int Get_1X_B16(int p, int a, int s, std::span<int32_t, 2> b) override { return target_.Get_1X_B16(p, a, s, b); }
    int Get_0X_B16(int p, int a, int s, std::span<int32_t, 2> b) override { return target_.Get_0X_B16(p, a, s, b); }
    int Set_4X_D1(int p, int a, int r, int v) override { return target_.Set_4X_D1(p, a, r, v); }
    int Set_0X_Bit1(int p, int a, int c) override { return target_.Set_0X_Bit1(p, a, c); }
    int Rst_0X_Bit1(int p, int a, int c) override { return target_.Rst_0X_Bit1(p, a, c); }
    std::string lastError() const override { return target_.lastError(); }

private:
    Fieldbus& target_;
};
