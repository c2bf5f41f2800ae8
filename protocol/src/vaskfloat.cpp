#include "vaskfloat.h"

VaskFloat::VaskFloat() : value(0.0), unit(1), quantity(1) {}

VaskFloat::VaskFloat(const VaskFloat& other)
    : value(other.value), text(other.text), unit(other.unit), quantity(other.quantity) {}

VaskFloat& VaskFloat::operator=(const VaskFloat& other) {
    value = other.value;
    text = other.text;
    unit = other.unit;
    quantity = other.quantity;
    return *this;
}

VaskFloat::~VaskFloat() {}
