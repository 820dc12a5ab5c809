// netloom::link, config/ — the module's configuration image and its two transfers.
//
// - config_image.h      ConfigImage and the codec between it and ConfigValueTable
// - config_frames.h     the image's wire form both ways and the receivers (no I/O)
// - config_messages.h   the texts that end a transfer
// - config_transfer.h   what the read and the write share: start, storing, end
// - config_read.cpp     ReadConfigImage, "ATCFGREAD" (declared in worker_actions.h)
// - config_write.cpp    WriteConfigImage, "ATCFGWRITE" (declared in worker_actions.h)
#pragma once

#include "core/link/config/config_frames.h"
#include "core/link/config/config_image.h"
#include "core/link/config/config_messages.h"
#include "core/link/config/config_transfer.h"
