// The batched product update as a shop owner's script sends it with the official WooCommerce
// client: per 100 product bodies one lookup of their SKUs and one products/batch call carrying
// each found product's id and body. products_bench runs it as the Node side of its rounds.
//
//   node batched-update.js <shop origin> <key> <secret> <bodies.json>
//
// bodies.json: an array of update bodies, each with its "sku". Prints one line of JSON: the
// seconds from reading the bodies to the last answer, and the items updated and failed.
const fs = require("node:fs");
const { performance } = require("node:perf_hooks");
const WooCommerceRestApi = require("@woocommerce/woocommerce-rest-api").default;

const kMostPerCall = 100;

async function main() {
  const [url, consumerKey, consumerSecret, bodiesFile] = process.argv.slice(2);
  const api = new WooCommerceRestApi({ url, consumerKey, consumerSecret, version: "wc/v3" });
  // The client signs with OAuth on plain HTTP; the program sends Basic, which the sample shop
  // takes on plain HTTP too, and which the client sends to an https address.
  api.isHttps = true;

  const start = performance.now();
  const bodies = JSON.parse(fs.readFileSync(bodiesFile, "utf8"));
  let updated = 0;
  let failed = 0;
  for (let first = 0; first < bodies.length; first += kMostPerCall) {
    const batch = bodies.slice(first, first + kMostPerCall);
    const skus = batch.map((body) => body.sku).join(",");
    const found = await api.get("products", { sku: skus, per_page: kMostPerCall });
    const ids = new Map(found.data.map((product) => [product.sku.toLowerCase(), product.id]));
    const update = [];
    for (const body of batch) {
      const id = ids.get(body.sku.toLowerCase());
      if (id === undefined) ++failed;
      else update.push({ id, ...body });
    }
    const answer = await api.post("products/batch", { update });
    for (const item of answer.data.update) item.error ? ++failed : ++updated;
  }
  const seconds = (performance.now() - start) / 1000;
  console.log(JSON.stringify({ seconds, updated, failed }));
}

main().catch((error) => {
  console.error(error.message);
  process.exit(1);
});
