// The final score and the high-score table.
#pragma once

void final_score();
