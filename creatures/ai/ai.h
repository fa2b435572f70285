// The computer players' turn.
#pragma once

void otherplayermove();
