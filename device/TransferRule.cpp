#include "device/TransferRule.h"

#include "store/NarrowFile.h"

void TTransferRule::Start()
{
    *this = TTransferRule();
}

bool TTransferRule::Keeps(std::size_t logBytes)
{
    return logBytes <= filelimit::Dump;
}

void TTransferRule::Report()
{
    IdleTicks = 0;
    ++ReportsThisTick;
}

std::int32_t TTransferRule::Measure()
{
    ReportsTotal += ReportsThisTick;
    ReportsThisTick = 0;
    return ReportsTotal;
}

bool TTransferRule::Tick(std::int32_t lineCount)
{
    if (lineCount == LastLineCount)
        ++IdleTicks;
    if (IdleTicks <= 2)
        return false;
    IdleTicks = 0;
    return true;
}
