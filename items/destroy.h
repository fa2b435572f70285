// Freeing object and container slots.
#pragma once

void destroy_object(int k);
void destroy_container(int c);
void destroy_container_items(int c);
