-- wrk script: POSTs chat lines to the service, one JSON body a request, taken in turn
-- from the file named by CHATSIEVE_BENCH_LINES (one line of JSON text a line, already
-- escaped), each thread starting at its own place. With CHATSIEVE_BENCH_BATCH=N each
-- request carries N lines as {"texts": [...]}. Counts replies that are not 2xx.
local lines = {}
for line in io.lines(os.getenv("CHATSIEVE_BENCH_LINES")) do
  lines[#lines + 1] = line
end
local batch = tonumber(os.getenv("CHATSIEVE_BENCH_BATCH") or "0")
local threads = {}

function setup(thread)
  thread:set("offset", #threads * 997)
  table.insert(threads, thread)
end

function init(args)
  next_line = offset
  failures = 0
  wrk.method = "POST"
  wrk.headers["Content-Type"] = "application/json"
end

local function take()
  next_line = next_line % #lines + 1
  return lines[next_line]
end

function request()
  if batch == 0 then
    return wrk.format(nil, nil, nil, '{"text":' .. take() .. '}')
  end
  local texts = {}
  for i = 1, batch do texts[i] = take() end
  return wrk.format(nil, nil, nil, '{"texts":[' .. table.concat(texts, ",") .. ']}')
end

function response(status, headers, body)
  if status < 200 or status > 299 then failures = failures + 1 end
end

function done(summary, latency, requests)
  local failed = 0
  for _, thread in ipairs(threads) do failed = failed + thread:get("failures") end
  io.write(string.format("non-2xx replies: %d\n", failed))
  io.write(string.format("latency p50 %.3f ms, p99 %.3f ms, max %.3f ms\n",
    latency:percentile(50) / 1000, latency:percentile(99) / 1000, latency.max / 1000))
end
