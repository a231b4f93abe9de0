// Why a port did not open, in plain words, with what the operator can do about it.
#pragma once

#include <QString>

#include "CommApi.h"

QString DescribeOpenFailure(const comm::OpenFailure& failure);
