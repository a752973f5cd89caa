#include "transfer_view.h"

namespace qv {

std::optional<CloseQuestion> CloseQuestionFor(TransferMode mode)
{
    switch (mode) {
    case TransferMode::Download:
        return CloseQuestion{"You are about to terminate the download.\rTHIS IS NOT RECOMMENDED!!!\r\rDo you wish to proceed?",
                             true};
    case TransferMode::Upload:
        return CloseQuestion{"You are about to terminate the upload.\r\rDo you wish to proceed?", false};
    case TransferMode::Installation:
        return CloseQuestion{
            "You are about to terminate the software installation.\rTHIS IS NOT RECOMMENDED!!!\r\rDo you wish to proceed?",
            true};
    case TransferMode::Idle:
    case TransferMode::Uninterruptible:
        break;
    }
    return std::nullopt;
}

} // namespace qv
